#include "programfolder.h"
#include "common/database.h"
#include "common/serverarchive.h"

#include <QtCore> // processes, files and folders of the cluster
#include <stdexcept>

// The throw-away PostgreSQL cluster of the tests (support/pgcluster.sh): the one the test command
// started for the whole run, or else one of this process's own, stopped when it ends.
namespace {

const QString Admin = QStringLiteral("brevano_admin");

void cluster(const QString& action, const QString& dir)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(BREVANO_SOURCE_DIR "/tests/support/pgcluster.sh"), action, dir,
                                          ProgramFolder::builtProgramDir()});
    if (!script.waitForFinished(120000) || script.exitCode() != 0)
        throw std::runtime_error("the PostgreSQL test cluster did not " + action.toStdString());
}

struct TestCluster
{
    QString dir;
    bool own = false;
    TestCluster()
    {
        dir = qEnvironmentVariable("BREVANO_PG_CLUSTER");
        if (dir.isEmpty() && QFile::exists(QStringLiteral(BREVANO_PG_CLUSTER_DIR "/.s.PGSQL.5432")))
            dir = QStringLiteral(BREVANO_PG_CLUSTER_DIR);
        if (dir.isEmpty()) {
            dir = QDir::temp().filePath(QStringLiteral("brevano-pg-%1").arg(QCoreApplication::applicationPid()));
            cluster(QStringLiteral("start"), dir);
            own = true;
        }
        // Workers started by this process find the same cluster and services.
        qputenv("BREVANO_PG_CLUSTER", dir.toLocal8Bit());
        // Services and passwords of this run, never the user's own files.
        if (!qEnvironmentVariableIsSet("PGSERVICEFILE"))
            qputenv("PGSERVICEFILE", QDir(dir).filePath(QStringLiteral("services-%1.conf").arg(QCoreApplication::applicationPid())).toLocal8Bit());
        if (!qEnvironmentVariableIsSet("PGPASSFILE"))
            qputenv("PGPASSFILE", QDir(dir).filePath(QStringLiteral("passwords-%1").arg(QCoreApplication::applicationPid())).toLocal8Bit());
        ServerArchive::writeService({Admin, dir, 5432, QStringLiteral("postgres"), QStringLiteral("brevano"), QString()});
    }
    ~TestCluster()
    {
        if (own) {
            try {
                cluster(QStringLiteral("stop"), dir);
            } catch (...) {
                // The folder is temporary: a cluster that did not stop goes with the machine.
            }
        }
    }
    Database admin() const { return Database::open(ServerArchive::locator(Admin, QString()), QString()); }
};

TestCluster& testCluster()
{
    static TestCluster c;
    return c;
}

int folderCounter = 0;

} // namespace

bool ProgramFolder::onServer()
{
    return qEnvironmentVariable("BREVANO_ENGINE") == QLatin1String("postgresql");
}

QString ProgramFolder::archiveIn(const QString& dataFolder, const QString& name)
{
    QFile pointer(QDir(dataFolder).filePath(QStringLiteral("brevanov.dat")));
    if (pointer.open(QIODevice::ReadOnly)) {
        const QString line = QString::fromLocal8Bit(pointer.readLine()).trimmed();
        if (ServerArchive::isServer(line)) return ServerArchive::locator(ServerArchive::serviceOf(line), name);
    }
    return QDir(dataFolder).filePath(name);
}

QString ProgramFolder::archive(const QString& name) const
{
    // The workstation's own archive stays a local file.
    return m_service.isEmpty() || name == QLatin1String("locdata.mdb") ? file(name) : ServerArchive::locator(m_service, name);
}

// A fresh database for a folder: a copy of the template database the cluster made from the template archives.
QString makeServerArchives(const ProgramFolder& folder)
{
    TestCluster& c = testCluster();
    const QString name = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++folderCounter);
    const Database admin = c.admin();
    for (int attempt = 0;; ++attempt) {
        try {
            admin.run(QStringLiteral("CREATE DATABASE %1 TEMPLATE brevano_template").arg(name));
            break;
        } catch (const DatabaseError&) {
            // Another test program is copying the template at this moment.
            if (attempt == 50) throw;
            QThread::msleep(100);
        }
    }
    ServerArchive::writeService({name, c.dir, 5432, name, QStringLiteral("brevano"), QString()});
    folder.writePointerFile(ServerArchive::Marker + name + u'/', 1);
    return name;
}

void dropServerArchives(const QString& name)
{
    try {
        testCluster().admin().run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    } catch (const DatabaseError&) {
        // The cluster goes at the end of the run with whatever it holds.
    }
}
