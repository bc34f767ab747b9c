#include "draftrowsgrid.h"
#include "draftrowsmodel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

// A cell is typed over: its editor opens with the value selected, and a number cell takes
// only what a number can hold.
class CellEditing : public QStyledItemDelegate
{
public:
    CellEditing(std::function<void(QWidget*)> numberKeys, QObject* parent)
        : QStyledItemDelegate(parent), m_numberKeys(std::move(numberKeys))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const int column = index.column();
        if (column == DraftRowsModel::Quantity || column == DraftRowsModel::Price || column == DraftRowsModel::Discount)
            m_numberKeys(editor);
        Q_UNUSED(option);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = static_cast<QLineEdit*>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }

private:
    std::function<void(QWidget*)> m_numberKeys;
};

} // namespace

DraftRowsGrid::DraftRowsGrid(DraftRowsModel* rows, std::function<void(QWidget*)> numberKeys, QWidget* parent)
    : QTableView(parent), m_rows(rows)
{
    setModel(rows);
    setItemDelegate(new CellEditing(std::move(numberKeys), this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
}

void DraftRowsGrid::goTo(int row, int column)
{
    const QModelIndex target = m_rows->index(row, column);
    setCurrentIndex(target);
    scrollTo(target);
}

QModelIndex DraftRowsGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex at = currentIndex();
    if (!at.isValid() && m_rows->rowCount() > 0)
        return m_rows->index(0, DraftRowsModel::Article);
    // After the last cell comes a new row, not the first cell again.
    if (action == MoveNext && (!at.isValid() || (at.row() == m_rows->rowCount() - 1
                                                 && at.column() >= DraftRowsModel::VatCode))) {
        m_rows->insertRowAt(m_rows->rowCount());
        return m_rows->index(m_rows->rowCount() - 1, DraftRowsModel::Article);
    }
    if (action == MoveNext && at.column() >= DraftRowsModel::VatCode)
        return m_rows->index(at.row() + 1, DraftRowsModel::Article);
    return QTableView::moveCursor(action, modifiers);
}

void DraftRowsGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter after typing a cell goes on to the next one, as Tab does.
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::EditNextItem
                                                                                     : hint);
}

void DraftRowsGrid::keyPressEvent(QKeyEvent* event)
{
    // Typing into a grid without a current cell starts in the first one.
    if (!currentIndex().isValid()) {
        if (m_rows->rowCount() == 0)
            m_rows->insertRowAt(0);
        setCurrentIndex(m_rows->index(0, DraftRowsModel::Article));
    }
    const QModelIndex at = currentIndex();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state() != EditingState) {
            const QModelIndex next = moveCursor(MoveNext, event->modifiers());
            goTo(next.row(), next.column());
            return;
        }
        break;
    case Qt::Key_Insert:
        m_rows->insertRowAt(at.isValid() ? at.row() : 0);
        goTo(at.isValid() ? at.row() : 0, DraftRowsModel::Article);
        return;
    case Qt::Key_Delete:
        if (ctrl && at.isValid()) {
            m_rows->removeRowAt(at.row());
            if (m_rows->rowCount() > 0)
                goTo(std::min(at.row(), m_rows->rowCount() - 1), at.column());
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl && at.isValid()) {
            const int step = event->key() == Qt::Key_Up ? -1 : 1;
            m_rows->moveRowBy(at.row(), step);
            goTo(std::clamp(at.row() + step, 0, m_rows->rowCount() - 1), at.column());
            return;
        }
        break;
    case Qt::Key_F4:
        if (at.isValid()) {
            emit lookupRequested(at);
            return;
        }
        break;
    default: break;
    }
    QTableView::keyPressEvent(event);
}
