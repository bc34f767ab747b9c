#include "entryprocedure.h"
#include "common/appglobals.h"
#include "archives.h"
#include "modulecomponents.h"
#include "pointerfile.h"
#include "splash.h"

#include "common/archivepassword.h"
#include "common/programtitle.h"
#include "components/qtplatform.h"

#include <QDir>

void EntryProcedure::run()
{
    useItalianConventions();
    AppGlobals& g = appGlobals();
    g.programFolder = m_programFolder;
    g.programTitle = ProgramTitle;
    g.localDbPath = m_programFolder + QDir::separator() + QStringLiteral("locdata.mdb");
    g.connectString = archiveConnectString();

    ReadPointerFile(g, pointerFilePath(m_programFolder));

    QString baseCurrency;
    double euroRate = 0;
    qint16 euroDecimals = 0;
    qint16 baseCurrencyDecimals = 0;
    OpenArchives(g, baseCurrency, euroRate, euroDecimals, baseCurrencyDecimals, g.connectString);

    CreateModuleComponents(g, baseCurrency, euroRate, euroDecimals, baseCurrencyDecimals, g.connectString);

    auto* splash = new frmSplash(g);
    splash->show();
}
