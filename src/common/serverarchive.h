#pragma once
#include <QString>
#include <QStringList>

// Archives kept on a PostgreSQL server. A workstation names them by a libpq service
// ("PGSERVICE:brevano" in the pointer file, never a path and never a secret): host, port, database
// and user are the service's entry in the user's service file, the password is in the user's
// password file, both as libpq reads them. Each archive of the data folder is a schema of that
// database, named after the archive file: "PGSERVICE:brevano/user.mdb" is the schema brevano_user.
namespace ServerArchive {

inline const QString Marker = QStringLiteral("PGSERVICE:");

// Whether a pointer-file line or an archive path names a server.
bool isServer(const QString& pathOrLine);
// The archive path of one archive of a service: locator("brevano", "data.mdb").
QString locator(const QString& service, const QString& archiveFile);
// The service a pointer-file line or an archive path names.
QString serviceOf(const QString& pathOrLine);
// The schema that holds an archive: brevano_user for ".../user.mdb" (the program's archives
// have plain names, valid as they are in SQL).
QString schemaOf(const QString& path);
// The archive file name an archive path ends with ("user.mdb").
QString archiveFileOf(const QString& path);

// A service a user configures: what goes into the service file and the password file.
struct Settings
{
    QString service;
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;   // never in the service file
};

// Where libpq looks for them: PGSERVICEFILE or ~/.pg_service.conf, PGPASSFILE or ~/.pgpass.
QString serviceFilePath();
QString passwordFilePath();

// The entry of a service as the service file holds it (password left empty).
Settings readService(const QString& service);
// Writes the service's entry into the service file (replacing an entry of the same name) and,
// when a password is given, its line into the password file (only the user may read it).
// Throws DatabaseError (Refused, with an Italian sentence) when a file cannot be written.
void writeService(const Settings& settings);

// The statements that make the PostgreSQL form of one statement of an archive's schema as SQLite
// keeps it: the same tables and columns, text compared by the collation jet_nocase, names in
// lower case (PostgreSQL folds unquoted names), and every table with its row id __rowid__.
QStringList postgresSchema(const QString& sqliteStatement);
// The statements a fresh database needs once before it holds archives.
QStringList postgresPrelude();

} // namespace ServerArchive
