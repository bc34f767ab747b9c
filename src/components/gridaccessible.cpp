#include "gridaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// The logical columns a grid shows, in the order it shows them.
QList<int> shownColumns(const QTableView* view)
{
    QList<int> columns;
    const QHeaderView* header = view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        if (const int logical = header->logicalIndex(visual); !view->isColumnHidden(logical))
            columns << logical;
    return columns;
}

QString shownText(const QTableView* view, const QModelIndex& index)
{
    const QVariant value = index.data(Qt::DisplayRole);
    if (!value.isValid())
        return {};
    auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(index));
    return delegate ? delegate->displayText(value, view->locale()) : value.toString();
}

class GridTable;

// A cell, or a heading when row (column headings) or column (row numbers) is -1.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCell(QTableView* view, int row, int column) : m_view(view), m_row(row), m_column(column) {}

    bool isValid() const override { return m_view && m_view->model() && m_row < m_view->model()->rowCount()
                                           && m_column < m_view->model()->columnCount(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        if (m_row < 0)
            return m_view->model()->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
        if (m_column < 0)
            return m_view->model()->headerData(m_row, Qt::Vertical, Qt::DisplayRole).toString();
        return shownText(m_view, m_view->model()->index(m_row, m_column, m_view->rootIndex()));
    }

    QRect rect() const override
    {
        if (!isValid() || m_row < 0 || m_column < 0)
            return {};
        const QRect r = m_view->visualRect(m_view->model()->index(m_row, m_column, m_view->rootIndex()));
        return r.translated(m_view->viewport()->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override
    {
        return m_row < 0 ? QAccessible::ColumnHeader : m_column < 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        const bool hidden = (m_column >= 0 && m_view->isColumnHidden(m_column)) || (m_row >= 0 && m_view->isRowHidden(m_row));
        s.invisible = hidden || !m_view->isVisible();
        if (m_row >= 0 && m_column >= 0) {
            const QModelIndex index = m_view->model()->index(m_row, m_column, m_view->rootIndex());
            s.selectable = s.focusable = true;
            s.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(index);
            s.focused = m_view->hasFocus() && m_view->currentIndex() == index;
        }
        return s;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return m_view ? int(shownColumns(m_view).indexOf(m_column)) : -1; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<QTableView> m_view;
    int m_row, m_column;
};

// The grid itself. Its children are numbered as the view numbers them in its focus events
// (headings first, every model column counted); the table it offers has the shown columns only.
class GridTable : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridTable(QTableView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~GridTable() override { forgetCells(); }

    QTableView* view() const { return static_cast<QTableView*>(widget()); }

    // The interface of a cell, kept while the grid's rows stay as they are.
    QAccessibleInterface* cell(int row, int column) const
    {
        const qint64 key = (qint64(row + 1) << 32) | quint32(column + 1);
        if (const auto found = m_cells.constFind(key); found != m_cells.cend())
            return QAccessible::accessibleInterface(*found);
        auto* made = new GridCell(view(), row, column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override
    {
        const QAbstractItemModel* model = view()->model();
        return model ? (model->rowCount(view()->rootIndex()) + headingRow()) * (model->columnCount() + numberColumn()) : 0;
    }

    QAccessibleInterface* child(int index) const override
    {
        const QAbstractItemModel* model = view()->model();
        if (!model || index < 0 || index >= childCount())
            return nullptr;
        const int width = model->columnCount() + numberColumn();
        const int row = index / width - headingRow(), column = index % width - numberColumn();
        return row < 0 && column < 0 ? nullptr : cell(row, column);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAbstractItemModel* model = view()->model();
        for (auto it = m_cells.cbegin(); model && it != m_cells.cend(); ++it)
            if (QAccessible::accessibleInterface(*it) == child) {
                const int row = int(it.key() >> 32) - 1, column = int(it.key() & 0xffffffff) - 1;
                return (row + headingRow()) * (model->columnCount() + numberColumn()) + column + numberColumn();
            }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = view()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = view()->indexAt(at);
        return index.isValid() ? cell(index.row(), index.column()) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return current.isValid() ? cell(current.row(), current.column()) : nullptr;
    }

    // The table as shown.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int columnCount() const override { return int(shownColumns(view()).size()); }
    int rowCount() const override { return view()->model() ? view()->model()->rowCount(view()->rootIndex()) : 0; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const QList<int> columns = shownColumns(view());
        if (row < 0 || row >= rowCount() || column < 0 || column >= columns.size())
            return nullptr;
        return cell(row, columns[column]);
    }
    QString columnDescription(int column) const override
    {
        const QList<int> columns = shownColumns(view());
        return column >= 0 && column < columns.size()
                   ? view()->model()->headerData(columns[column], Qt::Horizontal, Qt::DisplayRole).toString()
                   : QString();
    }
    QString rowDescription(int row) const override
    {
        return view()->model() ? view()->model()->headerData(row, Qt::Vertical, Qt::DisplayRole).toString() : QString();
    }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> out;
        if (view()->selectionModel())
            for (const QModelIndex& index : view()->selectionModel()->selectedIndexes())
                if (!view()->isColumnHidden(index.column()))
                    out << cell(index.row(), index.column());
        return out;
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (view()->selectionModel())
            for (const QModelIndex& index : view()->selectionModel()->selectedRows())
                rows << index.row();
        return rows;
    }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedColumns() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool selectRow(int row) override
    {
        if (row < 0 || row >= rowCount())
            return false;
        view()->selectRow(row);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

private:
    int headingRow() const { return view()->horizontalHeader()->isHidden() ? 0 : 1; }
    int numberColumn() const { return view()->verticalHeader()->isHidden() ? 0 : 1; }

    void forgetCells()
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<qint64, QAccessible::Id> m_cells;
};

QList<QAccessibleInterface*> GridCell::columnHeaderCells() const
{
    auto* grid = static_cast<GridTable*>(parent());
    return m_row >= 0 && m_column >= 0 && grid ? QList<QAccessibleInterface*>{grid->cell(-1, m_column)}
                                               : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> GridCell::rowHeaderCells() const
{
    auto* grid = static_cast<GridTable*>(parent());
    return m_row >= 0 && m_column >= 0 && grid ? QList<QAccessibleInterface*>{grid->cell(m_row, -1)}
                                               : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* gridFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<QTableView*>(object))
        return new GridTable(view);
    return nullptr;
}

} // namespace

void useReadableGrids()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(gridFactory);
    installed = true;
}
