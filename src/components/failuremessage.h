#pragma once
#include "common/databaseerror.h"

#include <QString>

// What a clerk reads when the data layer fails: the cause in Italian, the archive concerned,
// what was kept and what to do, and the engine's own text only as a last detail line.
QString failureMessage(const DatabaseError& error);
