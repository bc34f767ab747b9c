#include "session.h"
#include "programfolder.h"
#include "common/programtitle.h"

Session::Session(const QString& folder, const QString& user, const QString& workstation, bool administrator)
    : base(ProgramFolder::makeBaseAt(folder, user, workstation, administrator)),
      globals{.programTitle = ProgramTitle, .programFolder = base->AppPath, .localDbPath = base->LocalDbPath,
              .connectString = base->ConnectString, .dataFolder = base->DataFolder, .dataDbPath = base->DataDbPath,
              .userDbPath = base->UserDbPath, .base = base.get(), .warehouse = warehouse.get(),
              .invoicing = invoicing.get(), .payments = payments.get(), .makeMainWindow = {}}
{
    for (ModuleComponent* m : {static_cast<ModuleComponent*>(warehouse.get()), static_cast<ModuleComponent*>(invoicing.get()),
                               static_cast<ModuleComponent*>(payments.get())})
        m->setObjBase(base.get());
}
