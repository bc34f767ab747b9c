#include "modulecomponent.h"
#include "components/componentfactory.h"

// PENDING: the module's screens come with the module screens work.
class FattPlugin : public QObject, public ComponentFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "it.tarmel.brevano.ComponentFactory/5.0")
    Q_INTERFACES(ComponentFactory)
public:
    QObject* create() override { return new ModuleComponent; }
};

#include "fattplugin.moc"
