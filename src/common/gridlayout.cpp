#include "gridlayout.h"
#include "jetdate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

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
