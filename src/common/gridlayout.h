#pragma once
#include <QString>
#include <QVector>
#include <optional>

class QTableView;

// The grid layout file ("Layout.grx" in the program folder) holds named layouts of the data
// grids: which fields they show, in which order, under which heading, how wide and how each
// value is written. It is a JSON object, one member per layout name:
//   { "AutoDDT": [ {"field": "DataReg", "heading": "Data", "width": 80, "format": "date"}, ... ] }
// Formats: "" (as stored), "date" (dd/mm/yyyy), "lire" (no decimals, grouped), "euro" (two
// decimals, grouped), "number" (as stored, grouped), "boolean" ("Sì"/"No").
struct GridColumn
{
    QString field;
    QString heading;
    int width = 80;
    QString format;
};

struct GridLayout
{
    QString name;
    QVector<GridColumn> columns;
};

// The named layout of a layout file; nothing when the file or the name is missing or damaged.
std::optional<GridLayout> loadGridLayout(const QString& layoutFile, const QString& name);

// Shows a grid's model through a layout: the layout's fields in its order with its headings,
// widths and formats; fields the layout does not name are hidden. The model's horizontal
// header data must be the field names (as with QSqlQueryModel). Without a layout every field
// is shown under its own name.
void applyGridLayout(QTableView* grid, const std::optional<GridLayout>& layout);

// A value written as a grid column's format says.
QString formatGridValue(const QVariant& value, const QString& format);
