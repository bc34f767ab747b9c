// The maintenance program on the archives of a program folder where an installation left new
// templates: archives of the previous version are upgraded, current ones are left alone.
#include "scriptedrun.h"
#include "support/programfolder.h"

#include "common/database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char* const Archives[] = {"user", "data", "locdata"};

struct Maintained
{
    int exitCode = -1;
    QStringList report;
};

Maintained maintain(const ProgramFolder& folder)
{
    QProcess p;
    p.start(QDir(ProgramFolder::builtProgramDir()).filePath(QStringLiteral("manutenzione")), {folder.path()});
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

QByteArray digest(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

QStringList column(const QString& archive, const JetQuery& query)
{
    QStringList out;
    for (Rows q = Database::open(archive, ProgramFolder::connectString()).select(query); q.next();)
        out << q.value(0).toString();
    return out;
}

int version(const QString& archive)
{
    return column(archive, JetQuery("PRAGMA user_version")).value(0).toInt();
}

// Archives of the previous version, with the templates of this one beside them.
void previousVersionWithNewTemplates(const ProgramFolder& folder)
{
    const QDir old(QStringLiteral(BREVANO_FIXTURES_DIR "/archives-v0"));
    for (const char* name : Archives) {
        const QString archive = folder.file(QString::fromLatin1(name) + ".mdb");
        QFile::remove(archive);
        ASSERT_TRUE(QFile::copy(old.filePath(QString::fromLatin1(name) + ".mdb"), archive));
        QFile(archive).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(QFile::copy(QDir(ProgramFolder::builtProgramDir()).filePath(QString::fromLatin1(name) + "2.mdb"),
                                folder.file(QString::fromLatin1(name) + "2.mdb")));
    }
    folder.writePointerFile(folder.dataFolder(), 0);
}

} // namespace

TEST(Maintenance, UpgradesArchivesOfThePreviousVersionAndLeavesCurrentOnesUntouched)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    previousVersionWithNewTemplates(folder);
    const JetQuery customers("SELECT id || ' ' || Codice FROM Clienti ORDER BY id");
    const QStringList before = column(folder.dataDb(), customers);
    ASSERT_EQ(version(folder.dataDb()), 0);

    const Maintained first = maintain(folder);
    EXPECT_EQ(first.exitCode, 0) << first.report.join(u'\n').toStdString();
    EXPECT_EQ(first.report.filter(QStringLiteral("aggiornato dalla versione 0 alla versione 1.")).size(), 3);
    EXPECT_EQ(first.report.last(), QStringLiteral("Manutenzione completata."));
    for (const char* name : Archives) {
        SCOPED_TRACE(name);
        EXPECT_EQ(version(folder.file(QString::fromLatin1(name) + ".mdb")), 1);
        EXPECT_FALSE(QFile::exists(folder.file(QString::fromLatin1(name) + "2.mdb")));
        // The dated copy is the archive as it was.
        const QStringList copies = QDir(folder.path()).entryList({QString::fromLatin1(name) + "_copia_*.mdb"});
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(version(folder.file(copies[0])), 0);
    }
    // Every customer keeps its id; a deleted customer's id is not given out again.
    EXPECT_EQ(column(folder.dataDb(), customers), before);
    Database data = Database::open(folder.dataDb(), ProgramFolder::connectString());
    data.execute(JetQuery("DELETE FROM Clienti WHERE id = 5"));
    data.execute(JetQuery("INSERT INTO Clienti (Codice, CodiceDestinatario) VALUES ('C006', 'ABC1234')"));
    EXPECT_EQ(column(folder.dataDb(), JetQuery("SELECT id FROM Clienti WHERE Codice = 'C006'")), QStringList{"6"});
    EXPECT_EQ(column(folder.userDb(), JetQuery("SELECT COUNT(RegimeFiscale) FROM Azienda")), QStringList{"0"});

    // The program starts again; a second run changes nothing.
    const ScriptedRun start = runScripted(folder.path(), {}, QStringLiteral("frmSplash"));
    EXPECT_TRUE(start.showed(QStringLiteral("frmSplash")));
    EXPECT_TRUE(start.messages().isEmpty()) << start.log.join(u'\n').toStdString();
    QHash<QString, QByteArray> digests;
    for (const char* name : Archives)
        digests[name] = digest(folder.file(QString::fromLatin1(name) + ".mdb"));
    const Maintained second = maintain(folder);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.report.filter(QStringLiteral("già aggiornato (versione 1).")).size(), 3);
    for (const char* name : Archives)
        EXPECT_EQ(digest(folder.file(QString::fromLatin1(name) + ".mdb")), digests[name]) << name;
}

TEST(Maintenance, AnArchiveThatCannotBeUpgradedKeepsTheTemplatesWaiting)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    previousVersionWithNewTemplates(folder);
    QFile garbage(folder.dataDb());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();

    const Maintained run = maintain(folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.report.filter(QStringLiteral("Archivio data.mdb: aggiornamento non riuscito")).size(), 1);
    for (const char* name : Archives)
        EXPECT_TRUE(QFile::exists(folder.file(QString::fromLatin1(name) + "2.mdb"))) << name;
}
