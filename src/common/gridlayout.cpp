#include "gridlayout.h"
#include "jetdate.h"

#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStyledItemDelegate>
#include <QTableView>

std::optional<GridLayout> loadGridLayout(const QString& layoutFile, const QString& name)
{
    QFile file(layoutFile);
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isObject() || !doc.object().value(name).isArray())
        return std::nullopt;
    GridLayout layout;
    layout.name = name;
    for (const QJsonValue& v : doc.object().value(name).toArray()) {
        const QJsonObject c = v.toObject();
        if (c.value("field").toString().isEmpty())
            continue;
        layout.columns.push_back({c.value("field").toString(), c.value("heading").toString(c.value("field").toString()),
                                  c.value("width").toInt(80), c.value("format").toString()});
    }
    return layout;
}

QString formatGridValue(const QVariant& value, const QString& format)
{
    if (value.isNull())
        return {};
    const QLocale locale;
    if (format == QLatin1String("date")) {
        const QDate d = storedDate(value);
        return d.isValid() ? typedDate(d) : value.toString();
    }
    if (format == QLatin1String("lire"))
        return locale.toString(value.toDouble(), 'f', 0);
    if (format == QLatin1String("euro"))
        return locale.toString(value.toDouble(), 'f', 2);
    if (format == QLatin1String("number")) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok ? locale.toString(d, 'g', 15) : value.toString();
    }
    if (format == QLatin1String("boolean"))
        return value.toInt() ? QStringLiteral("Sì") : QStringLiteral("No");
    return value.toString();
}

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
