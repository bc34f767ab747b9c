#include "documentcommands.h"
#include "previewzoom.h"
#include "components/basecomponent.h"
#include "components/failuremessage.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "documents/documentpdf.h"
#include "documents/documentreader.h"
#include "documents/documentrenderer.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

DocumentCommands::DocumentCommands(BaseComponent* base, const BrowserSpec& spec, const DataControl* picked,
                                   QWidget* screen)
    : QObject(screen), m_base(base), m_kind(spec.documentKind), m_variant(spec.variant), m_picked(picked),
      m_screen(screen)
{
}

void DocumentCommands::addActions(QToolBar* toolbar)
{
    const auto add = [&](const QString& caption, const char* name, void (DocumentCommands::*command)()) {
        QAction* action = toolbar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
    };
    add(QStringLiteral("Stampa"), "BStampa", &DocumentCommands::print);
    add(QStringLiteral("Esporta PDF"), "BEsportaPDF", &DocumentCommands::exportPdf);
    if (m_kind == QLatin1String("FATVE") || m_kind == QLatin1String("FATNC"))
        add(QStringLiteral("Fattura Elettronica"), "BFatturaElettronica", &DocumentCommands::sendEInvoice);
}

std::optional<PrintableDocument> DocumentCommands::pickedDocument()
{
    const Recordset& rows = m_picked->recordset();
    if (rows.isBOF() || rows.isEOF()) {
        Platform::instance().inform(QStringLiteral("Selezionare un Documento."), m_base->AppTitle);
        return std::nullopt;
    }
    try {
        Hourglass busy;
        auto document = readPrintableDocument(m_base->dataArchive(), m_base->userArchive(), m_kind, m_variant,
                                              storedDate(rows.value(QStringLiteral("DataReg"))),
                                              rows.value(QStringLiteral("NumInt")).toInt());
        if (document)
            return document;
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), m_base->AppTitle);
        return std::nullopt;
    }
    Platform::instance().refuse(QStringLiteral("Documento non trovato: aggiornare l'elenco."), m_base->AppTitle);
    return std::nullopt;
}

QString DocumentCommands::outputFolder(const PrintableDocument& document)
{
    const QString folder = documentFolder(document.company, m_base->DataFolder);
    if (QDir().mkpath(folder))
        return folder;
    Platform::instance().refuse(QStringLiteral("Impossibile creare la Cartella dei Documenti:\r") + folder, m_base->AppTitle);
    return {};
}

void DocumentCommands::offerFolder(const QString& what, const QString& path, const QString& folder)
{
    if (Platform::instance().ask(what + QStringLiteral("\r") + QDir::toNativeSeparators(path)
                                     + QStringLiteral("\r\rAprire la Cartella dei Documenti?"),
                                 m_base->AppTitle)
        && !Platform::instance().openFolder(folder))
        Platform::instance().inform(QStringLiteral("Impossibile aprire la Cartella dei Documenti: su questo "
                                                   "computer nessun programma apre le cartelle.\r"
                                                   "Percorso della cartella:\r")
                                        + QDir::toNativeSeparators(folder),
                                    m_base->AppTitle);
}

void DocumentCommands::print()
{
    const std::optional<PrintableDocument> document = pickedDocument();
    if (!document)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("%1 N. %2").arg(document->title, document->number));
    QPrintPreviewDialog preview(&printer, m_screen->window());
    preview.setObjectName(QStringLiteral("AnteprimaStampa"));
    preview.setWindowTitle(m_base->AppTitle + QStringLiteral(" : Anteprima di Stampa"));
    useItalianZoom(&preview);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        Hourglass busy;
        DocumentRenderer(*document).render(target);
    });
    preview.resize(900, 700);
    preview.exec();
}

void DocumentCommands::exportPdf()
{
    const std::optional<PrintableDocument> document = pickedDocument();
    if (!document)
        return;
    const QString folder = outputFolder(*document);
    if (folder.isEmpty())
        return;
    const QString path = QDir(folder).filePath(documentPdfName(*document));
    int pages = 0;
    {
        Hourglass busy;
        pages = writeDocumentPdf(*document, path);
    }
    if (pages == 0) {
        Platform::instance().refuse(QStringLiteral("Impossibile scrivere il file:\r") + path, m_base->AppTitle);
        return;
    }
    offerFolder(QStringLiteral("Documento esportato in PDF:"), path, folder);
}
