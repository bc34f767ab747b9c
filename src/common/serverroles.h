#pragma once
#include "database.h"

#include <QString>

// Who may write what on a server. The administrators' role owns the archives (it made them with
// the transfer program) and alone may write the users and their kinds (table Password). The
// workstations' role reads everything, takes record locks and works on every other table; the
// server itself refuses it a change of the users, whoever types SQL at it.
namespace ServerRoles {

// Whether a role (a user or a group of users of the server) exists.
bool exists(const Database& server, const QString& role);

// Gives the workstations' role its rights on the archives of the database `server` is open on.
// Throws DatabaseError.
void grantWorkstations(const Database& server, const QString& role);

} // namespace ServerRoles
