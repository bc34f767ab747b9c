#include "programfolder.h"
#include "common/database.h"
#include "components/base/baseclass.h"
#include "common/archivepassword.h"
#include "common/programtitle.h"
#include "snapshot.h"

#include <QtSql> // the archives read as another program reads them, with the core
#include <stdexcept>

QString ProgramFolder::builtProgramDir()
{
    return QStringLiteral(BREVANO_PROGRAM_DIR);
}

QString ProgramFolder::connectString()
{
    return archiveConnectString();
}

QString makeServerArchives(const ProgramFolder& folder);
void dropServerArchives(const QString& name);

// The folders each process made and still holds.
static QMultiHash<qint64, QString> heldFolders;

void ProgramFolder::removeThisProcessFolders()
{
    for (const QString& folder : heldFolders.values(QCoreApplication::applicationPid()))
        QDir(folder).removeRecursively();
}

ProgramFolder::~ProgramFolder()
{
    heldFolders.remove(QCoreApplication::applicationPid(), path());
    if (!m_service.isEmpty()) dropServerArchives(m_service);
}

ProgramFolder::ProgramFolder(Content content)
{
    if (!m_dir.isValid()) throw std::runtime_error("cannot create a temporary folder");
    heldFolders.insert(QCoreApplication::applicationPid(), path());
    const QDir built(builtProgramDir());
    if (content == WholeProgram) {
        for (const QFileInfo& entry : built.entryInfoList(QDir::Files))
            QFile::copy(entry.absoluteFilePath(), file(entry.fileName()));
        for (const char* name : {"user", "data", "locdata"})
            QFile::rename(file(QString::fromLatin1(name) + "2.mdb"), file(QString::fromLatin1(name) + ".mdb"));
        if (onServer()) m_service = makeServerArchives(*this);
        return;
    }
    for (const char* name : {"user", "data", "locdata"}) {
        const QString templ = QString::fromLatin1(name) + "2.mdb";
        const QString target = content == TemplatesOnly ? templ : QString::fromLatin1(name) + ".mdb";
        if (!QFile::copy(built.filePath(templ), file(target)))
            throw std::runtime_error("template archives missing: build the 'templates' target");
        QFile(file(target)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    if (onServer() && content == ArchivesOnly) m_service = makeServerArchives(*this);
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
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the pointer file");
    f.write(dataFolderLine.toLocal8Bit() + "\r\n" + QByteArray::number(role) + "\r\n");
}

QStringList ProgramFolder::rows(const QString& archive, const QString& sql, const QString& nullMark) const
{
    Database db = Database::open(this->archive(archive), connectString());
    QSqlQuery q(db.connection());
    if (!q.exec(db.dialectText(sql))) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
    QStringList out;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i) values << (q.isNull(i) ? nullMark : q.value(i).toString());
        out << values.join(u'|');
    }
    return out;
}

void ProgramFolder::exec(const QString& archive, const QString& sql) const
{
    rows(archive, sql);
}

void ProgramFolder::refuseWrites(const QString& archive, const QString& write, const QString& table, bool refuse) const
{
    const bool server = onServer();
    QStringList sql{server ? "DROP TRIGGER IF EXISTS refuse ON " + table : "DROP TRIGGER IF EXISTS refuse"};
    if (refuse && server)
        sql << "CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS 'BEGIN RAISE EXCEPTION "
               "''disco pieno''; END'"
            << "CREATE TRIGGER refuse BEFORE " + write + " ON " + table + " FOR EACH ROW EXECUTE FUNCTION refuse()";
    else if (refuse)
        sql << "CREATE TRIGGER refuse BEFORE " + write + " ON " + table + " BEGIN SELECT RAISE(ABORT, 'disco pieno'); END";
    const Database db = Database::open(this->archive(archive), connectString());
    for (const QString& statement : sql)
        if (!QSqlQuery(db.connection()).exec(statement)) throw std::runtime_error(statement.toStdString());
}

void ProgramFolder::damageTable(const QString& archive, const QString& table) const
{
    const int page = rows(archive, "SELECT rootpage FROM sqlite_master WHERE name = '" + table + "'").value(0).toInt();
    const int pageSize = rows(archive, "PRAGMA page_size").value(0).toInt();
    QFile file(this->archive(archive));
    if (page < 2 || !file.open(QIODevice::ReadWrite) || !file.seek(qint64(page - 1) * pageSize)
        || file.write(QByteArray(200, '\xff')) != 200)
        throw std::runtime_error("cannot damage the table");
}

QStringList ProgramFolder::lockHolders() const
{
    return rows(QStringLiteral("user.mdb"), QStringLiteral("SELECT [User] || '@' || Postazione FROM Accessi ORDER BY id"));
}

std::unique_ptr<BaseClass> ProgramFolder::makeBase(const QString& user, const QString& workstation, bool administrator) const
{
    return makeBaseAt(path(), user, workstation, administrator);
}

std::unique_ptr<BaseClass> ProgramFolder::makeBaseAt(const QString& folder, const QString& user,
                                                     const QString& workstation, bool administrator)
{
    const QDir dir(folder);
    auto base = std::make_unique<BaseClass>();
    base->AppTitle = ProgramTitle;
    base->AppPath = dir.absolutePath();
    base->DataFolder = dir.absolutePath() + QDir::separator();
    base->DataDbPath = archiveIn(dir.absolutePath(), QStringLiteral("data.mdb"));
    base->UserDbPath = archiveIn(dir.absolutePath(), QStringLiteral("user.mdb"));
    base->LocalDbPath = dir.absoluteFilePath(QStringLiteral("locdata.mdb"));
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

QString ProgramFolder::storedChanged(const QString& name, const QStringList& tables, const QString& where) const
{
    QStringList stored;
    for (const QString& table : tables)
        stored += rows("data.mdb", "SELECT * FROM " + table + where + " ORDER BY 1", QStringLiteral("~"));
    return snapshot::comparePrinted((onServer() ? "stored-pg-" : "stored-") + name, stored.join(u'\n'), path());
}
