#pragma once
#include <QDate>
#include <optional>
#include <utility>
#include "common/jetquery.h"
#include "documents/printabledocument.h"

#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <functional>

class BaseComponent;
class DataControl;
class DataGrid;
class DocumentEditor;
class QAction;
class QStackedWidget;

// What a read-only view lists: the rows of a selection and, for the row picked there, the rows
// of a second selection (a document's rows, a movement's rows).
struct BrowserSpec
{
    QString title;                 // caption after the program title
    JetQuery rows;                 // the selection listed first
    QString rowsLayout;            // its grid layout in Layout.grx
    // The selection of the details of a row (empty: no details); it reads the picked row.
    std::function<JetQuery(const DataControl& picked)> details;
    QString detailsLayout;
    QString detailsCaption;
    // A view of documents names their kind ("DDT", "FATVE", ...): it prints them and, for sales
    // invoices and notes, sends them as electronic invoices.
    QString documentKind;
    DocumentVariant variant = DocumentVariant::Ordinary;
};

// A read-only view of the company archive: the grid `TDBGTestate` over the data control
// `DataTestate` and, when the view has details, the grid `TDBGRighe` over `DataRighe`, which
// follows the row picked in the first grid. `BAggiorna` reads both again.
class RecordBrowser : public QWidget
{
    Q_OBJECT
public:
    RecordBrowser(BaseComponent* base, BrowserSpec spec, QWidget* parent = nullptr);

    // Reads the rows from the archive (errors are the caller's).
    void load();
    // A document is being written or corrected.
    bool isEditing() const;
    // Ends the edit of a document, asking first when something was typed; false when the user
    // goes on editing.
    bool cancelEdit();

signals:
    // `BEsci`: the window holding the view closes.
    void leaveRequested();

private:
    void loadDetails();
    // A view of documents writes them too: Nuovo, Modifica, Salva, Elimina.
    void addEditing(QToolBar* toolbar);
    // The date and internal number of the document picked in the list; empty, the user told, when none is.
    std::optional<std::pair<QDate, qint32>> pickedDocumentKey() const;
    void newDocument();
    void editDocument();
    void saveDocument();
    void deleteDocument();
    void showEditor(bool editing);

    BaseComponent* m_base;
    BrowserSpec m_spec;
    DataControl* m_rows;
    DataGrid* m_rowsGrid;
    DataControl* m_details = nullptr;
    DataGrid* m_detailsGrid = nullptr;
    QStackedWidget* m_pages = nullptr;
    DocumentEditor* m_editor = nullptr;
    QList<QAction*> m_browseActions;  // disabled while a document is edited
    QAction* m_save = nullptr;
};
