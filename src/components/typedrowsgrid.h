#pragma once
#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <functional>

// Rows a user types like a spreadsheet (a document's rows, a price list's prices): the model
// says which columns are typed, which hold numbers, and how rows are added, removed and moved.
class TypedRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The last column Enter and Tab stop at before going on to the next row.
    virtual int lastTypedColumn() const = 0;
    virtual bool isNumberColumn(int column) const = 0;
    virtual void insertRowAt(int row) = 0;
    virtual void removeRowAt(int row) = 0;
    // Moves a row one place up (-1) or down (+1); rows kept in an order of their own do not move.
    virtual void moveRowBy(int row, int step)
    {
        Q_UNUSED(row);
        Q_UNUSED(step);
    }

signals:
    // A typed value was refused (an unknown article or code): what to say, and where.
    void refused(const QString& message, const QModelIndex& where);
};

// The grid of typed rows: Enter and Tab go to the next cell and, after the last, to a new row;
// Ins inserts a row, Ctrl+Canc deletes one, Ctrl+Up and Ctrl+Down move it; F4 asks for the
// look-up of the cell.
class TypedRowsGrid : public QTableView
{
    Q_OBJECT
public:
    // numberKeys is installed on the editor of a number cell (with the cell's column): letters
    // are refused as typed.
    TypedRowsGrid(TypedRowsModel* rows, std::function<void(QWidget*, int)> numberKeys, QWidget* parent = nullptr);

    // Puts the cursor on the cell a refusal names ("Riga 3 Articolo": row 3, the column under
    // that heading); false when the field is no cell.
    bool focusRowField(const QString& field);
    // What is being typed in a cell goes into the rows (a save must not lose it).
    void commitTyping();

signals:
    void lookupRequested(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void goTo(int row, int column);
    bool endTyping();

    TypedRowsModel* m_rows;
    QPersistentModelIndex m_refusedAt;  // the cell whose typed value was just refused
    QPointer<QWidget> m_openEditor;     // the cell editor open
};
