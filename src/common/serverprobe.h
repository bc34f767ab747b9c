#pragma once
#include "serverarchive.h"

#include <QString>

// Tries a PostgreSQL server as a workstation would reach its archives: the server answers, the
// database exists, the user and password are accepted, and the database holds the user and
// company archives of the given version. Returns what is wrong as an Italian sentence, empty
// when nothing is.
QString probeServer(const ServerArchive::Settings& settings, int expectedVersion);
