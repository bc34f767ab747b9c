#pragma once
#include "components/basecomponent.h"
#include "components/heldlock.h"
#include "documents/documentdraft.h"
#include "documents/documentkinds.h"

#include <QHash>
#include <QWidget>
#include <optional>

class DraftRowsGrid;
class DraftRowsModel;
class QLabel;
class QLineEdit;
class QTableWidget;

// The record lock of a document, on its header table and keys (the lock screen lists it).
LockIdentity documentLock(const BaseComponent* base, const DocumentKind& kind, const QDate& dataReg, qint32 numInt);

// The document being written or corrected, in one window: its header (date, reason, the
// counterpart by code with its data copied into the document, transport data where the kind
// carries them, notes), its rows typed like a spreadsheet, and its totals with the VAT summary,
// which follow every change. The rules (checks, numbering, invoice book, saving in one
// transaction) are those of documents/; this only shows and collects.
class DocumentEditor : public QWidget
{
    Q_OBJECT
public:
    DocumentEditor(BaseComponent* base, const QString& kindCode, DocumentVariant variant, QWidget* parent = nullptr);
    ~DocumentEditor() override;

    // A new document dated today; its number is taken when it is first saved.
    void startNew();
    // Corrects a saved document, holding its record lock meanwhile; false when it cannot be
    // (another workstation edits it, it is gone, its electronic invoice is written).
    bool startEdit(const QDate& dataReg, qint32 numInt);
    // Checks and saves; false (the user told why, the cursor on the field, nothing lost) when not.
    bool save();
    // Ends the edit without saving, asking first when something was typed; false when the user
    // keeps editing.
    bool cancel();
    bool isEditing() const { return m_editing; }
    const DocumentDraft& draft() const { return m_draft; }

signals:
    // The edit ended (saved or cancelled): the list is to be shown again.
    void finished();

private:
    void buildForm();
    QLineEdit* addField(const QString& column, const QString& caption, int row, int col, QWidget* parent);
    void showDraft();
    void showHeader();
    void collect();
    void counterpartTyped();
    void pickFromList(QLineEdit* field, const QString& table, const QString& caption);
    void pickForRow(const QModelIndex& index);
    void showTotals();
    void focusField(const QString& field);
    void setEditing(bool editing);
    void end();

    BaseComponent* m_base;
    QString m_kindCode;
    DocumentVariant m_variant;
    DocumentDraft m_draft;
    bool m_editing = false;
    bool m_typed = false;
    std::optional<HeldLock> m_lock;     // the document corrected; given back however the edit ends

    QHash<QString, QLineEdit*> m_fields;   // header fields by the column they fill
    QLineEdit* m_date = nullptr;
    QLineEdit* m_counterpart = nullptr;
    QLabel* m_number = nullptr;
    DraftRowsModel* m_rows = nullptr;
    DraftRowsGrid* m_grid = nullptr;
    QTableWidget* m_vat = nullptr;
    QLabel* m_totals = nullptr;
};
