#include "typedrowsgrid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyledItemDelegate>

namespace {

// Ins, and Ctrl with Canc, up or down: the commands on whole rows.
bool isRowCommand(const QKeyEvent* key)
{
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    return key->key() == Qt::Key_Insert
           || (ctrl && (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down));
}

// A cell is typed over: its editor opens with the value selected, and a number cell takes
// only what a number can hold.
class CellEditing : public QStyledItemDelegate
{
public:
    CellEditing(const TypedRowsModel* rows, std::function<void(QWidget*, int)> numberKeys, QPointer<QWidget>* open,
                QObject* parent)
        : QStyledItemDelegate(parent), m_rows(rows), m_numberKeys(std::move(numberKeys)), m_open(open)
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        *m_open = editor;
        if (m_rows->isNumberColumn(index.column()))
            m_numberKeys(editor, index.column());
        Q_UNUSED(option);
        return editor;
    }
    // A row command reaches the grid while a cell is typed, instead of the cell's text.
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && isRowCommand(static_cast<QKeyEvent*>(event))) {
            QCoreApplication::sendEvent(parent(), event);
            return true;
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = static_cast<QLineEdit*>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }

private:
    const TypedRowsModel* m_rows;
    std::function<void(QWidget*, int)> m_numberKeys;
    QPointer<QWidget>* m_open;  // the grid's note of the cell editor open
};

} // namespace

TypedRowsGrid::TypedRowsGrid(TypedRowsModel* rows, std::function<void(QWidget*, int)> numberKeys, QWidget* parent)
    : QTableView(parent), m_rows(rows)
{
    setModel(rows);
    setItemDelegate(new CellEditing(rows, std::move(numberKeys), &m_openEditor, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(rows, &TypedRowsModel::refused, this, [this](const QString&, const QModelIndex& where) {
        if (state() == EditingState)
            m_refusedAt = where;
    });
}

bool TypedRowsGrid::focusRowField(const QString& field)
{
    static const QRegularExpression rowField(QStringLiteral("^Riga (\\d+) (.*)$"));
    const QRegularExpressionMatch m = rowField.match(field);
    if (!m.hasMatch())
        return false;
    int column = 0;
    for (int c = 0; c < m_rows->columnCount(); ++c)
        if (m_rows->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == m.captured(2))
            column = c;
    setFocus();
    goTo(m.captured(1).toInt() - 1, column);
    return true;
}

void TypedRowsGrid::commitTyping()
{
    if (state() == EditingState && m_openEditor) {
        QWidget* editor = m_openEditor;
        commitData(editor);
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TypedRowsGrid::goTo(int row, int column)
{
    const QModelIndex target = m_rows->index(row, column);
    setCurrentIndex(target);
    scrollTo(target);
}

// A row command first ends the typing of the open cell, as leaving the cell would: otherwise the
// editor, closing on its own, would take the cursor one cell on. A value refused leaves the cursor
// in its cell, where it was typed, and the command is not carried out.
bool TypedRowsGrid::endTyping()
{
    commitTyping();
    const bool refused = m_refusedAt.isValid();
    m_refusedAt = QPersistentModelIndex();
    return !refused;
}

QModelIndex TypedRowsGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex at = currentIndex();
    if (!at.isValid() && m_rows->rowCount() > 0)
        return m_rows->index(0, 0);
    // After the last cell comes a new row, not the first cell again.
    if (action == MoveNext && (!at.isValid() || (at.row() == m_rows->rowCount() - 1
                                                 && at.column() >= m_rows->lastTypedColumn()))) {
        m_rows->insertRowAt(m_rows->rowCount());
        return m_rows->index(m_rows->rowCount() - 1, 0);
    }
    if (action == MoveNext && at.column() >= m_rows->lastTypedColumn())
        return m_rows->index(at.row() + 1, 0);
    return QTableView::moveCursor(action, modifiers);
}

void TypedRowsGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A value refused keeps the cursor in its cell, to be typed again.
    if (m_refusedAt.isValid()) {
        const QModelIndex at = m_refusedAt;
        m_refusedAt = QPersistentModelIndex();
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        goTo(at.row(), at.column());
        return;
    }
    // Enter after typing a cell goes on to the next one, as Tab does.
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::EditNextItem
                                                                                     : hint);
}

void TypedRowsGrid::keyPressEvent(QKeyEvent* event)
{
    // Typing into a grid without a current cell starts in the first one.
    if (!currentIndex().isValid()) {
        if (m_rows->rowCount() == 0)
            m_rows->insertRowAt(0);
        setCurrentIndex(m_rows->index(0, 0));
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
        if (!endTyping())
            return;
        m_rows->insertRowAt(at.isValid() ? at.row() : 0);
        goTo(at.isValid() ? at.row() : 0, 0);
        return;
    case Qt::Key_Delete:
        if (ctrl && at.isValid()) {
            if (!endTyping())
                return;
            m_rows->removeRowAt(at.row());
            if (m_rows->rowCount() > 0)
                goTo(std::min(at.row(), m_rows->rowCount() - 1), at.column());
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl && at.isValid()) {
            if (!endTyping())
                return;
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
