#include "localitagrid.h"
#include "common/datacontrol.h"
#include "components/basecomponent.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <iterator>
#include <QLineEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

// The cell editor: a line edit whose every typed character marks the row as changed.
class LocalitaDelegate : public QStyledItemDelegate
{
public:
    LocalitaDelegate(BaseComponent* base, LocalitaGrid* grid) : QStyledItemDelegate(grid), m_base(base), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        if (!m_grid->keysAccepted() || !m_grid->gridModel()->mayEdit(index.row()))
            return nullptr;
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        if (index.column() == 0)
            m_base->useTextKeys(editor);
        connect(editor, &QLineEdit::textEdited, this, [this, editor] {
            emit const_cast<LocalitaDelegate*>(this)->commitData(editor);
        });
        m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }

    QWidget* openEditor() const { return m_editor; }

private:
    BaseComponent* m_base;
    LocalitaGrid* m_grid;
    mutable QPointer<QWidget> m_editor;
};

LocalitaGrid::LocalitaGrid(BaseComponent* base, DataControl* data, QVector<DataGridModel::Column> columns,
                           QWidget* parent)
    : QTableView(parent), m_data(data), m_model(new DataGridModel(data, std::move(columns), true, this)),
      m_delegate(new LocalitaDelegate(base, this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LocalitaGrid::rowChanged);
}

void LocalitaGrid::reload()
{
    const QScopedValueRollback guard(m_syncing, true);
    m_model->reload();
    if (m_model->rowCount() == 0)
        return;
    const Recordset& rs = m_data->recordset();
    const int row = rs.isEOF() || rs.isBOF() ? m_model->recordCount() : rs.AbsolutePosition();
    setCurrentIndex(m_model->index(row, 0));
}

void LocalitaGrid::discardEdits()
{
    if (QWidget* editor = m_delegate->openEditor(); editor && state() == QAbstractItemView::EditingState)
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    m_model->cancelPendingRow();
}

void LocalitaGrid::rowChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_syncing)
        return;
    if (m_model->hasPendingEdit() && previous.isValid() && m_model->pendingRow() == previous.row()) {
        const DataGridModel::WriteResult result = m_model->writePendingRow();
        if (result != DataGridModel::WriteResult::Written) {
            {
                const QScopedValueRollback guard(m_syncing, true);
                setCurrentIndex(previous);
            }
            emit writeFailed(result);
            return;
        }
    }
    if (!current.isValid())
        return;
    m_model->moveDataTo(current.row());
    emit rowEntered();
}

void LocalitaGrid::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !keysAccepted())
        return;
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    // The keys that leave a row, pressed where there is no other row to go to (the adding row of
    // an empty list), write the row all the same: otherwise it could never be saved.
    static const int leaving[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab, Qt::Key_PageDown};
    if (state() != QAbstractItemView::EditingState && currentIndex().row() == before.row()
        && std::find(std::begin(leaving), std::end(leaving), event->key()) != std::end(leaving))
        writeRowInPlace();
}

void LocalitaGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex edited = currentIndex();
    QTableView::closeEditor(editor, hint);
    m_model->releaseUnusedLock();
    // Tab out of the last cell of a row ends the row, as leaving it does.
    const bool lastCell = edited.column() == m_model->columnCount() - 1;
    if (lastCell && hint == QAbstractItemDelegate::EditNextItem && currentIndex().row() == edited.row())
        writeRowInPlace();
}

void LocalitaGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    // A click below the rows leaves the row being typed.
    if (!indexAt(event->position().toPoint()).isValid())
        writeRowInPlace();
}

void LocalitaGrid::writeRowInPlace()
{
    const int row = currentIndex().row();
    if (m_syncing || !m_model->hasPendingEdit() || m_model->pendingRow() != row)
        return;
    const DataGridModel::WriteResult result = m_model->writePendingRow();
    if (result != DataGridModel::WriteResult::Written) {
        emit writeFailed(result);
        return;
    }
    m_model->moveDataTo(row);
    emit rowEntered();
}

void LocalitaGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // Focus coming back from the grid's own editor or from another window is no turn.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::ShortcutFocusReason)
        emit turnedTo();
}
