#include "session.h"
#include "programfolder.h"
#include "common/programtitle.h"

Session::Session(const QString& folder, const QString& user, const QString& workstation, bool administrator)
    : base(ProgramFolder::makeBaseAt(folder, user, workstation, administrator))
{
    for (ModuleComponent* m : {static_cast<ModuleComponent*>(warehouse.get()),
                               static_cast<ModuleComponent*>(invoicing.get()),
                               static_cast<ModuleComponent*>(payments.get())})
        m->setObjBase(base.get());
    globals.programTitle = ProgramTitle;
    globals.programFolder = base->AppPath;
    globals.localDbPath = base->LocalDbPath;
    globals.connectString = base->ConnectString;
    globals.dataFolder = base->DataFolder;
    globals.dataDbPath = base->DataDbPath;
    globals.userDbPath = base->UserDbPath;
    globals.base = base.get();
    globals.warehouse = warehouse.get();
    globals.invoicing = invoicing.get();
    globals.payments = payments.get();
}
