#pragma once
#include <QTableView>
#include <functional>

class DraftRowsModel;

// The rows of a document typed like a spreadsheet: Enter and Tab go to the next cell and, after
// the last, to a new row; Ins inserts a row, Ctrl+Canc deletes one, Ctrl+Up and Ctrl+Down move
// it; F4 asks for the look-up of the cell.
class DraftRowsGrid : public QTableView
{
    Q_OBJECT
public:
    // numberKeys is installed on the editor of a number cell: letters are refused as typed.
    DraftRowsGrid(DraftRowsModel* rows, std::function<void(QWidget*)> numberKeys, QWidget* parent = nullptr);

signals:
    void lookupRequested(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void goTo(int row, int column);

    DraftRowsModel* m_rows;
};
