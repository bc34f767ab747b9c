#include "menulayout.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <stdexcept>

std::optional<MenuLayout> loadMenuLayout(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll());
    const QJsonObject root = doc.object();
    if (!doc.isObject() || !root.value(QLatin1String("state")).isString() || !root.value(QLatin1String("bands")).isObject())
        return std::nullopt;
    MenuLayout layout;
    layout.windowState = QByteArray::fromBase64(root.value(QLatin1String("state")).toString().toLatin1());
    layout.windowGeometry = QByteArray::fromBase64(root.value(QLatin1String("geometry")).toString().toLatin1());
    layout.locked = root.value(QLatin1String("locked")).toBool();
    const QJsonObject bands = root.value(QLatin1String("bands")).toObject();
    for (auto it = bands.begin(); it != bands.end(); ++it) {
        if (!it.value().isDouble())
            return std::nullopt;
        layout.bandFlags.insert(it.key(), it.value().toInt());
    }
    return layout;
}

void saveMenuLayout(const QString& file, const MenuLayout& layout)
{
    QJsonObject bands;
    for (auto it = layout.bandFlags.begin(); it != layout.bandFlags.end(); ++it)
        bands.insert(it.key(), it.value());
    QJsonObject root;
    root.insert(QLatin1String("state"), QString::fromLatin1(layout.windowState.toBase64()));
    root.insert(QLatin1String("geometry"), QString::fromLatin1(layout.windowGeometry.toBase64()));
    root.insert(QLatin1String("locked"), layout.locked);
    root.insert(QLatin1String("bands"), bands);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(root).toJson()) < 0 || !out.commit())
        throw std::runtime_error("layout file not written");
}
