#pragma once
#include <QObject>
#include <QString>
#include <QtPlugin>

// What every component plugin offers: a fresh component object.
class ComponentFactory
{
public:
    virtual ~ComponentFactory() = default;
    virtual QObject* create() = 0;
};

Q_DECLARE_INTERFACE(ComponentFactory, "it.tarmel.brevano.ComponentFactory/5.0")

// Creates a component by its identifier ("base.baseclass", "maga.magaclass", ...) from the
// plugin file of that name in the program folder. Returns null and an error description when
// the component cannot be created (a missing file among the reasons).
QObject* createComponent(const QString& programFolder, const QString& identifier, QString* error = nullptr);
