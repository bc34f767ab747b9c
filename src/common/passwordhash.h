#pragma once
#include <QString>

// Users' passwords are kept as salted, slow digests (PBKDF2 with SHA-256), never as typed:
// "pbkdf2-sha256$<iterations>$<salt>$<digest>", salt and digest in base 64. A Null or empty
// value is an empty password.
QString hashPassword(const QString& password);
bool isPasswordHash(const QString& stored);
// Whether a typed password is the stored one, exactly, case included. A row still in clear (an
// archive of an earlier build) is compared as it stands.
bool passwordMatches(const QString& stored, const QString& typed);
