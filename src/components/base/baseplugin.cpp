#include "baseclass.h"
#include "components/componentfactory.h"

// The plugin behind the identifier "base.baseclass".
class BasePlugin : public QObject, public ComponentFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "it.tarmel.brevano.ComponentFactory/5.0")
    Q_INTERFACES(ComponentFactory)
public:
    QObject* create() override { return new BaseClass; }
};

#include "baseplugin.moc"
