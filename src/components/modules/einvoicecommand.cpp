// "Fattura Elettronica": the XML of the picked sales invoice or note, checked against the
// exchange system's arithmetic and the official schema before it is written, under a
// progressive taken like any other number.
#include "documentcommands.h"
#include "common/platform.h"
#include "common/transaction.h"
#include "components/basecomponent.h"
#include "components/failuremessage.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "documents/documentkinds.h"
#include "documents/einvoicecheck.h"
#include "documents/fatturapa.h"
#include "documents/numbering.h"
#include "documents/xsdvalidator.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace {

// The official schema and its catalog, installed beside the program.
const char* const SchemaFile = "Schema_del_file_xml_FatturaPA_v1.2.2.xsd";
const char* const CatalogFile = "catalog.xml";

// Thrown inside the numbering transaction, so that a refused file gives its number back.
struct NotWritten
{
    QString message;
};

// The electronic invoice already written for a document: "when|name", empty when none.
JetQuery writtenEInvoice(const QString& headerTable, const QDate& dataReg, qint32 numInt)
{
    JetQuery q("SELECT FatturaPAData, FatturaPANome FROM ");
    q << Jet::identifier(headerTable) << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = " << Jet::number(numInt)
      << " AND FatturaPANome IS NOT NULL";
    return q;
}

} // namespace

void DocumentCommands::sendEInvoice()
{
    Platform& platform = Platform::instance();
    if (m_variant == DocumentVariant::ProForma) {
        platform.refuse(QStringLiteral("La Fattura Proforma non è un documento fiscale:\r"
                                       "non si emette la Fattura Elettronica."),
                        m_base->AppTitle);
        return;
    }
    const std::optional<PrintableDocument> document = pickedDocument();
    if (!document)
        return;
    if (document->rows.size() > MaxEInvoiceLines) {
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        platform.refuse(QStringLiteral("Fattura Elettronica non creata: il documento ha %1 righe, "
                                       "il formato ne ammette al massimo %2.")
                            .arg(italian.toString(qlonglong(document->rows.size())), italian.toString(MaxEInvoiceLines)),
                        m_base->AppTitle);
        return;
    }
    const QStringList missing = eInvoiceMissingData(*document);
    if (!missing.isEmpty()) {
        platform.refuse(QStringLiteral("Fattura Elettronica non creata. Completare i dati seguenti:\r- ")
                            + missing.join(QStringLiteral("\r- ")),
                        m_base->AppTitle);
        return;
    }
    const QString folder = outputFolder(*document);
    if (folder.isEmpty())
        return;
    const QDir program(m_base->AppPath);
    const XsdValidator schema(program.filePath(QLatin1String(SchemaFile)), program.filePath(QLatin1String(CatalogFile)));
    if (!schema.loadError().isEmpty()) {
        platform.refuse(QStringLiteral("Schema ufficiale della Fattura Elettronica non disponibile:\r") + schema.loadError(),
                        m_base->AppTitle);
        return;
    }

    const QString headerTable = documentKind(m_kind)->headerTable;
    const QDate dataReg = storedDate(m_picked->recordset().value(QStringLiteral("DataReg")));
    const qint32 numInt = m_picked->recordset().value(QStringLiteral("NumInt")).toInt();
    QString path;
    try {
        const Database db = m_base->dataArchive();
        // Pressed again on the same document: a second file goes to the agency only when meant.
        if (Rows written = db.select(writtenEInvoice(headerTable, dataReg, numInt)); written.next()) {
            const QDateTime when = QDateTime::fromString(written.value(0).toString(), Qt::ISODate);
            if (!platform.askDestructive(
                    QStringLiteral("La Fattura Elettronica di questo documento è già stata scritta il %1 alle %2 "
                                   "come %3.\rScriverne un'altra, con un nuovo progressivo?")
                        .arg(when.toString(QStringLiteral("dd/MM/yyyy")), when.toString(QStringLiteral("HH:mm")),
                             written.value(1).toString()),
                    m_base->AppTitle))
                return;
        }
        Hourglass busy;
        inImmediateTransaction(db, [&] {
            for (;;) {
                // One numerator for every year: a progressive is never given twice.
                const QString progressive = transmissionProgressive(takeNextNumber(db, "*", "FATPA", "*", QString()));
                path = QDir(folder).filePath(fatturaPAFileName(*document, progressive));
                if (QFile::exists(path))
                    continue;
                const QByteArray xml = fatturaPAXml(*document, progressive);
                const QStringList wrong = eInvoiceArithmeticErrors(xml);
                if (!wrong.isEmpty())
                    throw NotWritten{QStringLiteral("La Fattura Elettronica sarebbe scartata dal Sistema di Interscambio "
                                                    "e non è stata scritta:\r")
                                     + wrong.mid(0, 10).join(u'\r')};
                const QStringList errors = schema.validate(xml);
                if (!errors.isEmpty())
                    throw NotWritten{QStringLiteral("La Fattura Elettronica non rispetta lo schema ufficiale e non è "
                                                    "stata scritta:\r")
                                     + errors.mid(0, 10).join(u'\r')};
                // Recorded before the file is written, so that a file that cannot be written undoes it.
                db.execute(JetQuery("UPDATE ") << Jet::identifier(headerTable) << " SET FatturaPANome = "
                                               << Jet::text(QFileInfo(path).fileName()) << ", FatturaPAData = "
                                               << Jet::text(QDateTime::currentDateTime().toString(Qt::ISODate))
                                               << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = "
                                               << Jet::number(numInt));
                QSaveFile file(path);
                if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit())
                    throw NotWritten{QStringLiteral("Impossibile scrivere il file:\r") + path};
                return;
            }
        });
    } catch (const NotWritten& refusal) {
        platform.refuse(refusal.message, m_base->AppTitle);
        return;
    } catch (const DatabaseError& e) {
        platform.refuse(failureMessage(e), m_base->AppTitle);
        return;
    }
    offerFolder(QStringLiteral("Fattura Elettronica creata:"), path, folder);
}
