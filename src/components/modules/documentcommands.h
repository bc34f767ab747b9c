#pragma once
#include "recordbrowser.h"
#include "documents/printabledocument.h"

#include <QObject>
#include <optional>

class QToolBar;

// The commands a view of documents offers on the document picked in its first grid: "Stampa"
// (a print preview, then the system's printers), "Esporta PDF" (into the company's document
// folder) and, for sales invoices and notes, "Fattura Elettronica".
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    DocumentCommands(BaseComponent* base, const BrowserSpec& spec, const DataControl* picked, QWidget* screen);

    void addActions(QToolBar* toolbar);
    void print();
    void exportPdf();
    void sendEInvoice();

private:
    // The document picked, read with all its page shows; nothing (and the user told why) when
    // there is none or it cannot be read.
    std::optional<PrintableDocument> pickedDocument();
    // The folder documents go to, created when missing; empty (and the user told) when it cannot be.
    QString outputFolder(const PrintableDocument& document);
    // Tells where a file went and offers to open its folder.
    void offerFolder(const QString& what, const QString& path, const QString& folder);

    BaseComponent* m_base;
    QString m_kind;
    DocumentVariant m_variant;
    const DataControl* m_picked;
    QWidget* m_screen;
};
