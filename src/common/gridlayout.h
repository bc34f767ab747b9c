#pragma once
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

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

// A value written as a grid column's format says.
QString formatGridValue(const QVariant& value, const QString& format);
