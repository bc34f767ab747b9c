#include "gridview.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

class FormatDelegate : public QStyledItemDelegate
{
public:
    FormatDelegate(QString format, QObject* parent) : QStyledItemDelegate(parent), m_format(std::move(format)) {}
    QString displayText(const QVariant& value, const QLocale&) const override { return formatGridValue(value, m_format); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Amounts and numbers line up on their units.
        if (m_format == QLatin1String("lire") || m_format == QLatin1String("euro") || m_format == QLatin1String("number"))
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        // A long text is cut with an ellipsis, never wrapped.
        option->textElideMode = Qt::ElideRight;
        option->features &= ~QStyleOptionViewItem::WrapText;
    }

private:
    QString m_format;
};

bool isDescriptive(const QString& name)
{
    static const char* const words[] = {"desc", "denominaz", "nome", "ragione", "dscli", "dsfor", "modifica"};
    for (const char* w : words)
        if (name.contains(QLatin1String(w), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

void applyGridLayout(QTableView* grid, const std::optional<GridLayout>& layout)
{
    QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < model->columnCount(); ++c) {
        grid->setColumnHidden(c, bool(layout));
        if (auto* old = grid->itemDelegateForColumn(c)) {
            grid->setItemDelegateForColumn(c, nullptr);
            old->deleteLater();
        }
    }
    if (!layout) {
        fitColumns(grid);
        return;
    }
    int visual = 0;
    for (const GridColumn& column : layout->columns) {
        int logical = -1;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal, Qt::EditRole).toString().compare(column.field, Qt::CaseInsensitive) == 0
                || model->headerData(c, Qt::Horizontal, Qt::UserRole).toString().compare(column.field, Qt::CaseInsensitive) == 0)
                logical = c;
        if (logical < 0)
            continue;
        grid->setColumnHidden(logical, false);
        model->setHeaderData(logical, Qt::Horizontal, column.field, Qt::UserRole);
        model->setHeaderData(logical, Qt::Horizontal, column.heading, Qt::DisplayRole);
        grid->setColumnWidth(logical, column.width);
        if (!column.format.isEmpty())
            grid->setItemDelegateForColumn(logical, new FormatDelegate(column.format, grid));
        header->moveSection(header->visualIndex(logical), visual++);
    }
    fitColumns(grid, true);
}

void fitColumns(QTableView* grid, bool fromLayout)
{
    QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    QHeaderView* header = grid->horizontalHeader();
    header->setStretchLastSection(false);
    // The first rows tell a column's width well enough; reading them all would slow long lists.
    header->setResizeContentsPrecision(20);
    grid->setWordWrap(false);
    int descriptive = -1, last = -1, total = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int c = header->logicalIndex(visual);
        if (grid->isColumnHidden(c))
            continue;
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        // A heading is never cut. A layout tells the width of its values; without one the first
        // rows do, up to a sensible width.
        const int given = std::min(grid->columnWidth(c), 360);
        if (!fromLayout)
            grid->resizeColumnToContents(c);
        const int width = std::max({header->sectionSizeHint(c), std::min(grid->columnWidth(c), 360), given}) + 6;
        grid->setColumnWidth(c, width);
        total += width;
        last = c;
        const QString names = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() + u' '
                              + model->headerData(c, Qt::Horizontal, Qt::UserRole).toString();
        if (descriptive < 0 && isDescriptive(names))
            descriptive = c;
    }
    if (descriptive < 0)
        descriptive = last;
    if (descriptive >= 0) {
        header->setMinimumSectionSize(std::min(header->minimumSectionSize(), 40));
        header->setSectionResizeMode(descriptive, QHeaderView::Stretch);
    }
    const int frame = 2 * grid->frameWidth() + (grid->verticalHeader()->isVisible() ? grid->verticalHeader()->sizeHint().width() : 0)
                      + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The frame is sized to this before it is first shown, then the minimum is released; a grid
    // already on screen keeps its width and scrolls, never reaching past its screen's edge.
    if (!grid->isVisible())
        grid->setMinimumWidth(std::min(total + frame, 960));
}
