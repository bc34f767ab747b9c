#include "componentfactory.h"

#include <QDir>
#include <QPluginLoader>

QObject* createComponent(const QString& programFolder, const QString& identifier, QString* error)
{
    QPluginLoader loader(QDir(programFolder).filePath(identifier + QStringLiteral(".so")));
    QObject* root = loader.instance();
    auto* factory = qobject_cast<ComponentFactory*>(root);
    if (!factory) {
        if (error)
            *error = root ? QStringLiteral("Il componente '%1' non è valido.").arg(identifier) : loader.errorString();
        return nullptr;
    }
    return factory->create();
}
