#include "einvoicecheck.h"
#include "money.h"

#include <QMap>
#include <QXmlStreamReader>
#include <optional>

namespace {

using Wide = __int128;
constexpr qint64 Cent = Decimal::One / 100;

struct Discount
{
    bool surcharge = false;
    std::optional<Decimal> percent, amount;
};

struct Line
{
    QString number;
    std::optional<Decimal> quantity;
    Decimal price, total, rate;
    QString nature;
    QVector<Discount> discounts;
};

struct Summary
{
    Decimal rate, taxable, tax, rounding;
    QString nature;
    bool hasNature = false;
};

struct Invoice
{
    QVector<Line> lines;
    QVector<Summary> summaries;
    std::optional<Decimal> documentTotal;
    QVector<Decimal> payments;
};

Decimal number(const QString& text)
{
    return Decimal::fromText(text).value_or(Decimal());
}

// The amounts of the invoice, as the exchange system reads them.
Invoice read(const QByteArray& xml)
{
    Invoice inv;
    QXmlStreamReader r(xml);
    Line* line = nullptr;
    Summary* summary = nullptr;
    Discount* discount = nullptr;
    while (!r.atEnd()) {
        r.readNext();
        const QStringView name = r.name();
        if (r.isEndElement()) {
            if (name == u"DettaglioLinee")
                line = nullptr;
            else if (name == u"DatiRiepilogo")
                summary = nullptr;
            else if (name == u"ScontoMaggiorazione")
                discount = nullptr;
            continue;
        }
        if (!r.isStartElement())
            continue;
        if (name == u"DettaglioLinee") {
            inv.lines.append(Line{});
            line = &inv.lines.last();
        } else if (name == u"DatiRiepilogo") {
            inv.summaries.append(Summary{});
            summary = &inv.summaries.last();
        } else if (name == u"ScontoMaggiorazione" && line) {
            line->discounts.append(Discount{});
            discount = &line->discounts.last();
        } else if (name == u"ImportoTotaleDocumento") {
            inv.documentTotal = number(r.readElementText());
        } else if (name == u"ImportoPagamento") {
            inv.payments << number(r.readElementText());
        } else if (discount) {
            const QString v = r.readElementText();
            if (name == u"Tipo")
                discount->surcharge = v == QLatin1String("MG");
            else if (name == u"Percentuale")
                discount->percent = number(v);
            else if (name == u"Importo")
                discount->amount = number(v);
        } else if (line) {
            if (name == u"NumeroLinea")
                line->number = r.readElementText();
            else if (name == u"Quantita")
                line->quantity = number(r.readElementText());
            else if (name == u"PrezzoUnitario")
                line->price = number(r.readElementText());
            else if (name == u"PrezzoTotale")
                line->total = number(r.readElementText());
            else if (name == u"AliquotaIVA")
                line->rate = number(r.readElementText());
            else if (name == u"Natura")
                line->nature = r.readElementText();
        } else if (summary) {
            if (name == u"AliquotaIVA")
                summary->rate = number(r.readElementText());
            else if (name == u"Natura") {
                summary->nature = r.readElementText();
                summary->hasNature = true;
            } else if (name == u"ImponibileImporto")
                summary->taxable = number(r.readElementText());
            else if (name == u"Imposta")
                summary->tax = number(r.readElementText());
            else if (name == u"Arrotondamento")
                summary->rounding = number(r.readElementText());
        }
    }
    return inv;
}

QString shown(Decimal d)
{
    return d.toString(2);
}

// The price of a line after its discounts and surcharges, each in turn on the price reached.
Decimal netPrice(const Line& l)
{
    Wide p = l.price.scaled();
    for (const Discount& d : l.discounts) {
        Wide change = 0;
        if (d.percent)
            change = p * d.percent->scaled() / (Wide(100) * Decimal::One);
        else if (d.amount)
            change = d.amount->scaled();
        p += d.surcharge ? change : -change;
    }
    return Decimal::fromScaled(qint64(p));
}

QString checkLine(const Line& l)
{
    const Decimal net = netPrice(l);
    const Decimal quantity = l.quantity.value_or(Decimal::whole(1));
    // Both sides with sixteen places, so that nothing is rounded before comparing.
    const Wide product = Wide(net.scaled()) * quantity.scaled();
    const Wide difference = product - Wide(l.total.scaled()) * Decimal::One;
    if ((difference < 0 ? -difference : difference) < Wide(Cent) * Decimal::One)
        return {};
    const QString discounts = l.discounts.isEmpty() ? QString() : QStringLiteral(" (%1 dopo sconti e maggiorazioni)").arg(shown(net));
    return QStringLiteral("Riga %1: %2 × %3%4 = %5, ma il Prezzo Totale è %6 (controllo 00423).")
        .arg(l.number, shown(quantity), shown(l.price), discounts,
             shown(Decimal::fromScaled(qint64(product / Decimal::One)).rounded(2)), shown(l.total));
}

QString rateName(Decimal rate, const QString& nature)
{
    return nature.isEmpty() ? QStringLiteral("aliquota %1%").arg(shown(rate))
                            : QStringLiteral("aliquota %1% (%2)").arg(shown(rate), nature);
}

void checkSummaries(const Invoice& inv, QStringList& errors)
{
    for (const Summary& s : inv.summaries) {
        const QString which = rateName(s.rate, s.nature);
        // The rate's share of an amount in cents, rounded half up like the exchange system.
        const Decimal tax = percentOf(Money::fromDecimal(s.taxable, Currency::Euro), s.rate).toDecimal();
        if (std::abs(tax.scaled() - s.tax.scaled()) >= Cent)
            errors << QStringLiteral("Riepilogo %1: %2 × %3% = %4, ma l'Imposta è %5 (controllo 00421).")
                          .arg(which, shown(s.taxable), shown(s.rate), shown(tax), shown(s.tax));
        if (s.rate.isZero() != s.hasNature)
            errors << QStringLiteral("Riepilogo %1: la Natura va indicata solo con aliquota zero (controlli 00429, 00430).").arg(which);
    }
    // Per rate: the summaries against the lines.
    QMap<Decimal, std::pair<Decimal, Decimal>> byRate; // rate -> (Σ taxable − Σ rounding, Σ lines)
    for (const Summary& s : inv.summaries) {
        auto& [taxable, lines] = byRate[s.rate];
        taxable = Decimal::fromScaled(taxable.scaled() + s.taxable.scaled() - s.rounding.scaled());
    }
    for (const Line& l : inv.lines) {
        bool summarised = false;
        for (const Summary& s : inv.summaries)
            summarised = summarised || (s.rate == l.rate && s.nature == l.nature);
        if (!summarised)
            errors << QStringLiteral("Riga %1: nessun riepilogo per l'%2 (controlli 00443, 00444).").arg(l.number, rateName(l.rate, l.nature));
        auto& lines = byRate[l.rate].second;
        lines = Decimal::fromScaled(lines.scaled() + l.total.scaled());
    }
    for (auto it = byRate.cbegin(); it != byRate.cend(); ++it)
        if (std::abs(it->first.scaled() - it->second.scaled()) >= Decimal::One)
            errors << QStringLiteral("Aliquota %1%: imponibile meno arrotondamenti %2, ma le righe sommano %3 (controllo 00422).")
                          .arg(shown(it.key()), shown(it->first), shown(it->second));
}

void checkTotals(const Invoice& inv, QStringList& errors)
{
    qint64 summaries = 0, payments = 0;
    for (const Summary& s : inv.summaries)
        summaries += s.taxable.scaled() + s.tax.scaled();
    for (const Decimal& p : inv.payments)
        payments += p.scaled();
    const QString total = inv.documentTotal ? shown(*inv.documentTotal) : QStringLiteral("assente");
    if (!inv.documentTotal || inv.documentTotal->scaled() != summaries)
        errors << QStringLiteral("Importo Totale Documento %1, ma imponibili e imposte sommano %2.")
                      .arg(total, shown(Decimal::fromScaled(summaries)));
    if (!inv.payments.isEmpty() && (!inv.documentTotal || inv.documentTotal->scaled() != payments))
        errors << QStringLiteral("Importo Totale Documento %1, ma le rate di pagamento sommano %2.")
                      .arg(total, shown(Decimal::fromScaled(payments)));
}

} // namespace

QStringList eInvoiceArithmeticErrors(const QByteArray& xml)
{
    const Invoice inv = read(xml);
    QStringList errors;
    for (const Line& l : inv.lines)
        if (const QString e = checkLine(l); !e.isEmpty())
            errors << e;
    checkSummaries(inv, errors);
    checkTotals(inv, errors);
    return errors;
}
