#include "fatturapa.h"
#include "duedates.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>

namespace {

const QString Namespace = QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");

bool matches(const QString& text, const char* pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern))).match(text).hasMatch();
}

bool italian(const QString& country)
{
    return country.isEmpty() || country.compare(QLatin1String("IT"), Qt::CaseInsensitive) == 0;
}

QString countryCode(const QString& country)
{
    return country.isEmpty() ? QStringLiteral("IT") : country.toUpper();
}

// A VAT number without blanks and without the country prefix some clerks type.
QString vatDigits(const QString& vatNumber, const QString& country)
{
    QString v = vatNumber;
    v.remove(u' ');
    if (v.startsWith(countryCode(country), Qt::CaseInsensitive) && v.size() > 2)
        v = v.mid(2);
    return v.toUpper();
}

QString fiscalCode(const QString& code)
{
    QString c = code.toUpper();
    c.remove(u' ');
    return c;
}

// Texts of the schema allow Latin-1 only (some Basic Latin only), without control characters.
QString latin(const QString& text, int maxLength, char16_t highest = 0xFF)
{
    QString out;
    for (QChar c : text.trimmed()) {
        if (c.unicode() == u'€')
            out += QStringLiteral("EUR");
        else if (c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t')
            out += u' ';
        else
            out += c.unicode() > highest ? QChar(u'?') : c;
    }
    return out.left(maxLength);
}

QString rate(Decimal value)
{
    return value.rounded(2).toString(2);
}

bool validNature(const QString& nature)
{
    return matches(nature, "N1|N2\\.[12]|N3\\.[1-6]|N4|N5|N6\\.[1-9]|N7");
}

bool validRegime(const QString& regime)
{
    return matches(regime, "RF0[1-2]|RF0[4-9]|RF1[0-9]");
}

class Writer
{
public:
    Writer(const PrintableDocument& doc, const QString& progressive) : m_doc(doc), m_progressive(progressive), m_xml(&m_out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(1);
    }

    QByteArray write()
    {
        m_xml.writeStartDocument(QStringLiteral("1.0"));
        m_xml.writeNamespace(Namespace, QStringLiteral("p"));
        m_xml.writeNamespace(QStringLiteral("http://www.w3.org/2000/09/xmldsig#"), QStringLiteral("ds"));
        m_xml.writeStartElement(Namespace, QStringLiteral("FatturaElettronica"));
        m_xml.writeAttribute(QStringLiteral("versione"), QStringLiteral("FPR12"));
        open("FatturaElettronicaHeader");
        transmission();
        seller();
        buyer();
        close();
        open("FatturaElettronicaBody");
        general();
        goods();
        payment();
        close();
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        return m_out;
    }

private:
    void open(const char* name) { m_xml.writeStartElement(QLatin1String(name)); }
    void close() { m_xml.writeEndElement(); }
    void element(const char* name, const QString& value) { m_xml.writeTextElement(QLatin1String(name), value); }

    void fiscalId(const QString& country, const QString& code)
    {
        open("IdFiscaleIVA");
        element("IdPaese", countryCode(country));
        element("IdCodice", code.left(28));
        close();
    }

    // The fiscal code when it has the official form, and the name.
    void identity(const QString& code, const QString& name)
    {
        if (matches(fiscalCode(code), "[A-Z0-9]{11,16}"))
            element("CodiceFiscale", fiscalCode(code));
        open("Anagrafica");
        element("Denominazione", latin(name, 80));
        close();
    }

    void seat(const QString& street, const QString& postalCode, const QString& town, const QString& province,
              const QString& country)
    {
        const bool home = italian(country);
        open("Sede");
        element("Indirizzo", latin(street, 60));
        // Addresses abroad carry no Italian postal code.
        element("CAP", home ? postalCode : QStringLiteral("00000"));
        element("Comune", latin(town, 60));
        if (home && matches(province.toUpper(), "[A-Z]{2}"))
            element("Provincia", province.toUpper());
        element("Nazione", countryCode(country));
        close();
    }

    void transmission()
    {
        const CompanyBlock& c = m_doc.company;
        const PartyBlock& p = m_doc.counterpart;
        open("DatiTrasmissione");
        open("IdTrasmittente");
        element("IdPaese", countryCode(c.country));
        element("IdCodice", vatDigits(c.vatNumber, c.country));
        close();
        element("ProgressivoInvio", m_progressive);
        element("FormatoTrasmissione", QStringLiteral("FPR12"));
        QString recipient = p.recipientCode.toUpper();
        if (!italian(p.country) && recipient.isEmpty())
            recipient = QStringLiteral("XXXXXXX");
        else if (recipient.isEmpty())
            recipient = QStringLiteral("0000000");
        element("CodiceDestinatario", recipient);
        if (recipient == QLatin1String("0000000") && !p.pec.isEmpty())
            element("PECDestinatario", p.pec);
        close();
    }

    void seller()
    {
        const CompanyBlock& c = m_doc.company;
        open("CedentePrestatore");
        open("DatiAnagrafici");
        fiscalId(c.country, vatDigits(c.vatNumber, c.country));
        identity(c.fiscalCode, c.name);
        element("RegimeFiscale", c.fiscalRegime.toUpper());
        close();
        seat(c.address, c.postalCode, c.town, c.province, c.country);
        QString phone = c.phone, fax = c.fax;
        phone.remove(u' ');
        fax.remove(u' ');
        const bool phoneFits = matches(phone, "[\\x20-\\x7e]{5,12}"), faxFits = matches(fax, "[\\x20-\\x7e]{5,12}");
        if (phoneFits || faxFits) {
            open("Contatti");
            if (phoneFits)
                element("Telefono", phone);
            if (faxFits)
                element("Fax", fax);
            close();
        }
        close();
    }

    void buyer()
    {
        const PartyBlock& p = m_doc.counterpart;
        open("CessionarioCommittente");
        open("DatiAnagrafici");
        if (!p.vatNumber.isEmpty())
            fiscalId(p.country, vatDigits(p.vatNumber, p.country));
        identity(p.fiscalCode, p.name);
        close();
        seat(p.address, p.postalCode, p.town, p.province, p.country);
        close();
    }

    void general()
    {
        open("DatiGenerali");
        open("DatiGeneraliDocumento");
        element("TipoDocumento", eInvoiceDocumentType(m_doc));
        element("Divisa", QStringLiteral("EUR"));
        element("Data", m_doc.date.toString(Qt::ISODate));
        element("Numero", latin(m_doc.number, 20, 0x7F));
        element("ImportoTotaleDocumento", m_doc.totals.total.euro.toString());
        for (QString notes = latin(m_doc.notes, 1000); !notes.isEmpty(); notes = notes.mid(200))
            element("Causale", notes.left(200));
        close();
        close();
    }

    // A priced row carries its quantity, its unit price (as many decimals as the amount needs)
    // and its discount; any other row is one unit at its amount.
    void goods()
    {
        open("DatiBeniServizi");
        int line = 0;
        for (const DocumentRow& r : m_doc.rows) {
            const VatCode v = m_doc.vatCodes.value(r.vatCode.toUpper());
            const bool priced = r.amounts.priced;
            open("DettaglioLinee");
            element("NumeroLinea", QString::number(++line));
            if (!r.article.isEmpty()) {
                open("CodiceArticolo");
                element("CodiceTipo", QStringLiteral("INTERNO"));
                element("CodiceValore", latin(r.article, 35));
                close();
            }
            element("Descrizione", latin(r.description, 1000));
            if (priced) {
                element("Quantita", r.quantity->toString(2));
                if (!r.unit.isEmpty())
                    element("UnitaMisura", latin(r.unit, 10, 0x7F));
            }
            element("PrezzoUnitario", r.amounts.unitPriceEuro.toString(2));
            if (priced && !r.discount.isZero()) {
                open("ScontoMaggiorazione");
                element("Tipo", r.discount > Decimal() ? QStringLiteral("SC") : QStringLiteral("MG"));
                element("Percentuale", rate(r.discount > Decimal() ? r.discount : -r.discount));
                close();
            }
            element("PrezzoTotale", r.amounts.amount.euro.toString());
            element("AliquotaIVA", rate(v.rate));
            if (v.rate.isZero())
                element("Natura", v.nature);
            close();
        }
        // One summary per VAT code, its tax on its own taxable amount; what converting the code's
        // total leaves against the sum of its lines goes in Arrotondamento.
        for (const VatTotals& s : m_doc.vatSummary) {
            Money lines(0, Currency::Euro);
            for (int i : s.rows)
                lines += m_doc.rows[i].amounts.amount.euro;
            open("DatiRiepilogo");
            element("AliquotaIVA", rate(s.rate));
            if (s.rate.isZero())
                element("Natura", s.nature);
            if (lines != s.taxable.euro)
                element("Arrotondamento", (s.taxable.euro - lines).toString());
            element("ImponibileImporto", s.taxable.euro.toString());
            element("Imposta", s.tax.euro.toString());
            if (!s.rate.isZero())
                element("EsigibilitaIVA", QStringLiteral("I"));
            else if (!s.description.isEmpty())
                element("RiferimentoNormativo", latin(s.description, 100));
            close();
        }
        close();
    }

    void payment()
    {
        if (!m_doc.payment)
            return;
        open("DatiPagamento");
        element("CondizioniPagamento", m_doc.instalments.size() > 1 ? QStringLiteral("TP01") : QStringLiteral("TP02"));
        for (const Instalment& i : m_doc.instalments) {
            open("DettaglioPagamento");
            element("ModalitaPagamento", m_doc.payment->methodEInvoiceCode.toUpper());
            if (i.due.isValid())
                element("DataScadenzaPagamento", i.due.toString(Qt::ISODate));
            element("ImportoPagamento", i.amountEuro.toString());
            close();
        }
        close();
    }

    const PrintableDocument& m_doc;
    QString m_progressive;
    QByteArray m_out;
    QXmlStreamWriter m_xml;
};

} // namespace

QString eInvoiceDocumentType(const PrintableDocument& document)
{
    if (document.kindCode == QLatin1String("FATVE"))
        return document.variant == DocumentVariant::ProForma ? QString() : QStringLiteral("TD01");
    if (document.kindCode == QLatin1String("FATNC"))
        return document.variant == DocumentVariant::DebitNote ? QStringLiteral("TD05") : QStringLiteral("TD04");
    return {};
}

QStringList eInvoiceMissingData(const PrintableDocument& d)
{
    QStringList missing;
    const auto need = [&](bool given, const QString& who, const QString& field) {
        if (!given)
            missing << who + QStringLiteral(": ") + field;
    };
    const CompanyBlock& c = d.company;
    const QString company = QStringLiteral("Azienda");
    need(!c.name.isEmpty(), company, "Denominazione");
    need(!vatDigits(c.vatNumber, c.country).isEmpty(), company, "Partita I.V.A.");
    need(!c.address.isEmpty(), company, "Indirizzo");
    need(!italian(c.country) || matches(c.postalCode, "[0-9]{5}"), company, "C.A.P.");
    need(!c.town.isEmpty(), company, "Località");
    need(matches(c.country.toUpper(), "[A-Z]{2}"), company, "Stato");
    need(validRegime(c.fiscalRegime.toUpper()), company, "Regime Fiscale");

    const PartyBlock& p = d.counterpart;
    if (!p.found) {
        missing << QStringLiteral("Cliente: anagrafica del cliente del documento non trovata");
    } else {
        const QString customer = QStringLiteral("Cliente ") + p.code;
        need(!p.name.isEmpty(), customer, "Denominazione");
        need(!p.vatNumber.isEmpty() || matches(fiscalCode(p.fiscalCode), "[A-Z0-9]{11,16}"), customer,
             "Partita I.V.A. o Codice Fiscale");
        need(!p.address.isEmpty(), customer, "Indirizzo");
        need(!italian(p.country) || matches(p.postalCode, "[0-9]{5}"), customer, "C.A.P.");
        need(!p.town.isEmpty(), customer, "Località");
        need(matches(p.country.toUpper(), "[A-Z]{2}"), customer, "Stato");
        if (italian(p.country)) {
            if (p.recipientCode.isEmpty())
                need(!p.pec.isEmpty(), customer, "Codice Destinatario o PEC");
            else
                need(matches(p.recipientCode.toUpper(), "[A-Z0-9]{7}"), customer, "Codice Destinatario (7 caratteri)");
        }
    }

    need(!d.rows.isEmpty(), QStringLiteral("Documento"), "almeno una riga");
    QStringList naturesAsked;
    for (const DocumentRow& r : d.rows) {
        const QString row = QStringLiteral("Riga %1").arg(r.riga);
        need(!r.description.isEmpty(), row, "Descrizione");
        need(!r.quantity || *r.quantity >= Decimal(), row, "Quantità non negativa");
        if (r.vatCode.isEmpty()) {
            need(false, row, "Codice I.V.A.");
            continue;
        }
        const auto v = d.vatCodes.constFind(r.vatCode.toUpper());
        if (v == d.vatCodes.constEnd()) {
            need(false, row, QStringLiteral("Codice I.V.A. (%1 non è nella tabella I.V.A.)").arg(r.vatCode));
        } else if (v->rate.isZero() && !validNature(v->nature) && !naturesAsked.contains(v->code)) {
            naturesAsked << v->code;
            need(false, QStringLiteral("Tabella I.V.A., codice ") + v->code, "Natura");
        }
    }
    if (d.payment) {
        if (d.payment->method.isEmpty())
            need(false, QStringLiteral("Documento"), "Tipo Pagamento");
        else
            need(matches(d.payment->methodEInvoiceCode.toUpper(), "MP(0[1-9]|1[0-9]|2[0-3])"),
                 QStringLiteral("Tipi Pagamento, codice ") + d.payment->method, "Modalità Fattura Elettronica");
    }
    return missing;
}

QByteArray fatturaPAXml(const PrintableDocument& document, const QString& progressive)
{
    return Writer(document, progressive).write();
}

QString transmissionProgressive(qint32 number)
{
    return QString::number(number, 36).toUpper().rightJustified(5, u'0');
}

QString fatturaPAFileName(const PrintableDocument& document, const QString& progressive)
{
    const CompanyBlock& c = document.company;
    return countryCode(c.country) + vatDigits(c.vatNumber, c.country) + u'_' + progressive + QStringLiteral(".xml");
}
