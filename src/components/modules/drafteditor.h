#pragma once
#include "draftrowsmodel.h"
#include "components/basecomponent.h"
#include "components/heldlock.h"
#include "documents/documentdraft.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>

class TypedRowsGrid;
class QLabel;
class QLineEdit;
class Recordset;
struct DraftRefusal;

// What the editors of drafts (a document, a warehouse movement) do alike: the edit is counted
// while it lasts (the main window asks before closing), the record lock is held meanwhile and
// given back however the edit ends, Esc asks before dropping what was typed, fields and row cells
// open their look-up lists with F4, and whatever is written tells the stock views to read again.
// The screens' list (RecordBrowser) drives an editor through this interface.
class DraftEditor : public QWidget
{
    Q_OBJECT
public:
    DraftEditor(BaseComponent* base, QWidget* parent);
    ~DraftEditor() override;

    // A new record dated today; its number is taken when it is first saved.
    virtual void startNew() = 0;
    // Corrects the record picked in the list; false (the user told why) when it cannot be.
    virtual bool editPicked(const Recordset& picked) = 0;
    // Checks and saves; when it cannot, the user is told why, the cursor is on the field, nothing is lost.
    void save();
    // Deletes the record picked in the list, after asking; false when nothing was deleted.
    virtual bool deletePicked(const Recordset& picked) = 0;
    // Ends the edit without saving, asking first when something was typed; false when the user
    // keeps editing.
    bool cancel();
    bool isEditing() const { return m_editing; }
    const DocumentDraft& draft() const { return m_draft; }

signals:
    // The edit ended (saved or cancelled): the list is to be shown again.
    void finished();

protected:
    // The question Esc asks before dropping what was typed.
    virtual QString discardQuestion() const = 0;
    // Shows the draft; collects what was typed into it.
    virtual void showDraft() = 0;
    virtual void collect() = 0;
    // The checks before saving, and the save itself (in one transaction; throws on failure).
    virtual std::optional<DraftRefusal> check() = 0;
    virtual void write() = 0;
    // Starts editing the draft (a new one, or one read under its lock), the cursor on its date.
    void begin(DocumentDraft draft, std::optional<HeldLock> lock);
    // Deletes a record after what every deletion asks: that nobody edits it, and the user.
    bool confirmDeletion(const LockIdentity& lock, const QString& question, const std::function<void()>& remove);
    void setEditing(bool editing);
    // The edit ends: the lock is given back and the list shown again.
    void end();
    // Something was saved or deleted: the views of the stock follow.
    void written();
    // The editor's layout, and in it the header's grid with the number (LBLNumero) and the
    // date (DataReg) in its first row; returns the header, for the fields of each editor.
    QWidget* startForm();
    // A labelled field at a place of a form's grid layout, kept in m_fields by the column it fills.
    QLineEdit* addField(const QString& column, const QString& caption, int row, int col, QWidget* parent, int span = 1);
    // The rows' model and grid, with the look-ups of their cells and their refusals shown.
    void makeRows(const QVector<DraftRowsModel::Column>& columns, const QString& gridName);
    // The look-up list of a table; the code picked goes into the field.
    void pickFromList(QLineEdit* field, const QString& table, const QString& caption);
    // Puts the cursor on the field a refusal names: a row's cell, or what fieldNamed gives.
    void focusField(const QString& field);
    virtual QWidget* fieldNamed(const QString& field) const = 0;

    BaseComponent* m_base;
    DocumentDraft m_draft;
    bool m_typed = false;
    std::optional<HeldLock> m_lock;  // the record corrected; given back however the edit ends
    QLabel* m_number = nullptr;
    QLineEdit* m_date = nullptr;
    QHash<QString, QLineEdit*> m_fields;  // fields by the column they fill
    DraftRowsModel* m_rows = nullptr;
    TypedRowsGrid* m_grid = nullptr;

private:
    void pickForRow(const QModelIndex& index);

    bool m_editing = false;
};
