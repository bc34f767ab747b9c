#include "documentkinds.h"

namespace {

TotalColumns totalColumns(const QString& code, bool purchase)
{
    const QString euro = purchase ? QStringLiteral("EURO") : QStringLiteral("LEURO");
    const auto name = [&](const char* what, const QString& currency) { return QLatin1String(what) + code + currency; };
    TotalColumns t;
    t.totalLire = name("Tot", QStringLiteral("Lire"));
    t.totalEuro = name("Tot", euro);
    if (code == QLatin1String("RESO"))
        return t;
    t.taxableLire = name("Impon", QStringLiteral("Lire"));
    t.taxableEuro = name("Impon", euro);
    t.taxLire = name("Imposta", QStringLiteral("Lire"));
    t.taxEuro = name("Imposta", euro);
    return t;
}

QVector<DocumentKind> withTotalColumns(QVector<DocumentKind> kinds)
{
    for (DocumentKind& k : kinds)
        k.totals = totalColumns(k.code, k.supplierCounterpart);
    return kinds;
}

} // namespace

const QVector<DocumentKind>& documentKinds()
{
    static const QVector<DocumentKind> kinds = withTotalColumns({
        {"FATVE", "FATVETes", "FATVERig", 5, false},
        {"FATAC", "FATACTes", "FATACRig", 4, true},
        {"FATNC", "FATNCTes", "FATNCRig", 8, false},
        {"DDT", "DDTTes", "DDTRig", 0, false},
        {"PREV", "PREVTes", "PREVRig", 3, false},
        {"ORDVE", "ORDVETes", "ORDVERig", 11, false},
        {"ORDAC", "ORDACTes", "ORDACRig", 10, true},
        {"RESO", "RESOTes", "RESORig", 2, false},
    });
    return kinds;
}

const DocumentKind* documentKind(const QString& code)
{
    for (const DocumentKind& k : documentKinds())
        if (k.code == code)
            return &k;
    return nullptr;
}

const QVector<TargetChoice>& targetChoices()
{
    using enum TargetKind;
    static const QVector<TargetChoice> targets = {
        {"Fattura Immediata", ImmediateInvoice, "FATVE", {"D.D.T.", "Ordine Cliente", "Preventivo"}, false, true},
        {"Fattura Accompagnatoria", AccompanyingInvoice, "FATVE", {"Ordine Cliente", "Preventivo"}, false, true},
        {"Fattura di Acquisto", PurchaseInvoice, "FATAC", {"Ordine Cliente"}, true, true},
        {"Nota di Credito", CreditNote, "FATNC", {"Fattura", "Bolla di Reso"}, false, true},
        {"D.D.T.", DeliveryNote, "DDT", {"Ordine Cliente", "Preventivo"}, false, true},
        {"Preventivo", Quotation, "PREV", {"Ordine Cliente"}, false, false},
        {"Ordine Cliente", CustomerOrder, "ORDVE", {"Preventivo"}, false, false},
        {"Ordine Fornitore", SupplierOrder, "ORDAC", {"Ordine Cliente"}, true, true},
        {"Bolla di Reso", ReturnNote, "RESO", {"D.D.T."}, false, false},
    };
    return targets;
}

const TargetChoice* targetChoice(TargetKind targetType)
{
    for (const TargetChoice& t : targetChoices())
        if (t.targetType == targetType)
            return &t;
    return nullptr;
}

const QVector<SourceChoice>& sourceChoices()
{
    using enum SourceKind;
    static const QVector<SourceChoice> sources = {
        {"D.D.T.", DeliveryNote, "DDT", "Scelta del D.D.T. :", "AutoDDT"},
        {"Ordine Cliente", CustomerOrder, "ORDVE", "Scelta dell' Ordine Cliente :", "AutoORDVE"},
        {"Preventivo", Quotation, "PREV", "Scelta del Preventivo :", "AutoPREV"},
        {"Fattura", Invoice, "FATVE", "Scelta della Fattura :", "AutoFATT"},
        {"Bolla di Reso", ReturnNote, "RESO", "Scelta della Bolla di Reso :", "AutoRESO"},
    };
    return sources;
}

const SourceChoice* sourceChoice(const QString& name)
{
    for (const SourceChoice& s : sourceChoices())
        if (s.name == name)
            return &s;
    return nullptr;
}

const SourceChoice* sourceChoice(SourceKind sourceType)
{
    for (const SourceChoice& s : sourceChoices())
        if (s.sourceType == sourceType)
            return &s;
    return nullptr;
}
