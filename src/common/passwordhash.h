#pragma once
#include <QString>

// Users' passwords are kept as salted, slow digests (PBKDF2 with SHA-256), never as typed:
// "pbkdf2-sha256$<iterations>$<salt>$<digest>", salt and digest in base 64. A Null or empty
// value is an empty password.
QString hashPassword(const QString& password);
bool isPasswordHash(const QString& stored);
// A user archive at this version or later holds digests only (its upgrade step made them):
// from then on a password in clear is one someone wrote past the program, and never signs in.
constexpr int DigestsOnlyVersion = 2;

// Whether a typed password is the stored one, exactly, case included. A row still in clear is
// compared as it stands only in an archive not yet upgraded to digests (archiveVersion below
// DigestsOnlyVersion).
bool passwordMatches(const QString& stored, const QString& typed, int archiveVersion);
