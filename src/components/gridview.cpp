#include "gridview.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

class FormatDelegate : public QStyledItemDelegate
{
public:
    FormatDelegate(QString format, QObject* parent) : QStyledItemDelegate(parent), m_format(std::move(format)) {}
    QString displayText(const QVariant& value, const QLocale&) const override { return formatGridValue(value, m_format); }

private:
    QString m_format;
};

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
    if (!layout)
        return;
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
}
