#include "modulecomponent.h"
#include "components/componentfactory.h"

// The plugin "maga.magaclass".
class MagaPlugin : public QObject, public ComponentFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "it.tarmel.brevano.ComponentFactory/5.0")
    Q_INTERFACES(ComponentFactory)
public:
    QObject* create() override { return new WarehouseComponent; }
};

#include "magaplugin.moc"
