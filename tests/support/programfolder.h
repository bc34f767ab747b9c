#pragma once
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

class BaseClass;

// A program folder for one test: fresh archives copied from the templates the build made
// (data folder = program folder, as on a server), optionally the plugins and pictures too.
// With BREVANO_ENGINE=postgresql the user and company archives are a fresh database of a
// throw-away PostgreSQL cluster instead, named by a service and by the folder's pointer file.
class ProgramFolder
{
public:
    enum Content { ArchivesOnly, WholeProgram, TemplatesOnly };
    explicit ProgramFolder(Content content = ArchivesOnly);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString path() const;              // no final separator
    QString dataFolder() const;        // with the final separator
    QString file(const QString& name) const;
    QString userDb() const { return archive("user.mdb"); }
    QString dataDb() const { return archive("data.mdb"); }
    // The path of a shared archive: its file, or its place on the server.
    QString archive(const QString& name) const;
    // The same for any data folder a worker is given.
    static QString archiveIn(const QString& dataFolder, const QString& name);
    // The service (and database) of the folder's archives on the test cluster; empty on SQLite.
    QString service() const { return m_service; }
    // Whether the tests run on PostgreSQL.
    static bool onServer();
    static QString connectString();
    static QString builtProgramDir();

    // Removes the folders this process made, where no destructor will: a test whose program ends
    // in a process of a death test's own.
    static void removeThisProcessFolders();

    // Writes the pointer file (data folder line, role line), with CR LF line ends.
    void writePointerFile(const QString& dataFolderLine, int role = 0) const;

    // A base component holding the run-wide values of a signed-in user of this folder.
    std::unique_ptr<BaseClass> makeBase(const QString& user = QStringLiteral("admin"),
                                        const QString& workstation = QStringLiteral("POSTAZIONE1"),
                                        bool administrator = true) const;
    static std::unique_ptr<BaseClass> makeBaseAt(const QString& folder, const QString& user,
                                                 const QString& workstation, bool administrator);

    // What another program sees of an archive of this folder ("user.mdb", "data.mdb"): the rows
    // a statement selects, each as "a|b|c" (a Null as nullMark); run as another workstation would.
    QStringList rows(const QString& archive, const QString& sql, const QString& nullMark = {}) const;
    // Every column of what these tables of the company archive hold (where the condition says,
    // a Null as "~"), against its snapshot on each engine: the first differing line, empty when equal.
    QString storedChanged(const QString& name, const QStringList& tables, const QString& where = {}) const;
    void exec(const QString& archive, const QString& sql) const;
    // Makes an archive refuse every write of one kind ("INSERT", "UPDATE") into a table with "disco
    // pieno", as a full disk or a lost server stops a save half way, on either engine; refuse false
    // takes the fault away.
    void refuseWrites(const QString& archive, const QString& write, const QString& table, bool refuse = true) const;
    // Overwrites 200 bytes of the first page of a table of a SQLite archive, as a failing disk would.
    void damageTable(const QString& archive, const QString& table) const;
    // The holders of lock rows, as "user@workstation", oldest first.
    QStringList lockHolders() const;

private:
    QTemporaryDir m_dir;
    QString m_service;   // the database of this folder on the test cluster
};

// Test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// The whole content of a file; empty when there is none.
inline QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
