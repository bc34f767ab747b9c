#include "programfolder.h"
#include "components/base/baseclass.h"
#include "common/archivepassword.h"
#include "common/programtitle.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

QString ProgramFolder::builtProgramDir()
{
    return QStringLiteral(BREVANO_PROGRAM_DIR);
}

QString ProgramFolder::connectString()
{
    return archiveConnectString();
}

QString makeServerArchives(const QString& folder);
void dropServerArchives(const QString& name);

ProgramFolder::~ProgramFolder()
{
    if (!m_service.isEmpty())
        dropServerArchives(m_service);
}

ProgramFolder::ProgramFolder(Content content)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QDir built(builtProgramDir());
    if (content == WholeProgram) {
        for (const QFileInfo& entry : built.entryInfoList(QDir::Files))
            QFile::copy(entry.absoluteFilePath(), file(entry.fileName()));
        for (const char* name : {"user", "data", "locdata"})
            QFile::rename(file(QString::fromLatin1(name) + "2.mdb"), file(QString::fromLatin1(name) + ".mdb"));
        if (onServer())
            m_service = makeServerArchives(path());
        return;
    }
    for (const char* name : {"user", "data", "locdata"}) {
        const QString templ = QString::fromLatin1(name) + "2.mdb";
        const QString target = content == TemplatesOnly ? templ : QString::fromLatin1(name) + ".mdb";
        if (!QFile::copy(built.filePath(templ), file(target)))
            throw std::runtime_error("template archives missing: build the 'templates' target");
        QFile(file(target)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    if (onServer() && content == ArchivesOnly)
        m_service = makeServerArchives(path());
}

QString ProgramFolder::path() const
{
    return m_dir.path();
}

QString ProgramFolder::dataFolder() const
{
    return m_dir.path() + QDir::separator();
}

QString ProgramFolder::file(const QString& name) const
{
    return m_dir.filePath(name);
}

void ProgramFolder::writePointerFile(const QString& dataFolderLine, int role) const
{
    QFile f(file("brevanov.dat"));
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the pointer file");
    f.write(dataFolderLine.toLocal8Bit() + "\r\n" + QByteArray::number(role) + "\r\n");
}

std::unique_ptr<BaseClass> ProgramFolder::makeBase(const QString& user, const QString& workstation,
                                                   bool administrator) const
{
    auto base = std::make_unique<BaseClass>();
    base->AppTitle = ProgramTitle;
    base->AppPath = path();
    base->DataFolder = dataFolder();
    base->DataDbPath = dataDb();
    base->UserDbPath = userDb();
    base->LocalDbPath = localDb();
    base->ConnectString = connectString();
    base->WorkstationName = workstation;
    base->UserName = user;
    base->FiscalYear = QString::number(QDate::currentDate().year());
    base->IsAdministrator = administrator;
    base->BaseCurrency = QStringLiteral("LIT");
    base->BaseCurrencyDecimals = 0;
    base->EuroRate = 1936.27;
    base->EuroDecimals = 2;
    base->WarehouseModuleLoaded = base->InvoicingModuleLoaded = base->PaymentsModuleLoaded = true;
    return base;
}
