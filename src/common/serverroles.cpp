#include "serverroles.h"
#include "serverarchive.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString identifier(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Statements about the server's own objects run as written, outside any archive's names.
void runOnServer(const Database& server, const QString& sql)
{
    QSqlQuery q(server.connection());
    if (!q.exec(sql))
        throw server.failure(q.lastError());
}

} // namespace

namespace ServerRoles {

bool exists(const Database& server, const QString& role)
{
    QSqlQuery q = server.prepare(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"));
    q.addBindValue(role);
    server.run(q);
    return q.next();
}

void grantWorkstations(const Database& server, const QString& role)
{
    const QString to = identifier(role);
    const QString users = ServerArchive::schemaOf(QStringLiteral("user.mdb"));
    const QString data = ServerArchive::schemaOf(QStringLiteral("data.mdb"));
    for (const QString& schema : {users, data}) {
        runOnServer(server, QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, to));
        runOnServer(server, QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2").arg(schema, to));
        runOnServer(server, QStringLiteral("GRANT USAGE, SELECT, UPDATE ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(schema, to));
    }
    // The users and their kinds: read at sign-in, written by the administrators alone.
    runOnServer(server, QStringLiteral("REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON %1.password FROM %2").arg(users, to));
    // The archives' own tables (names, version, the digest of their password) are the
    // transfer's and the maintenance's.
    for (const QString& schema : {users, data})
        runOnServer(server, QStringLiteral("REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON %1.msysnames, %1.msysversion, "
                                           "%1.msyspassword FROM %2").arg(schema, to));
}

} // namespace ServerRoles
