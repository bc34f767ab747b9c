#pragma once
#include "common/database.h"

#include <QString>

// Takes the next number of the numerator (kind, code, fiscal year) inside the caller's immediate
// transaction: the numerator row is created when missing, the number never falls to or below the
// highest NumInt that the numerator's table already holds for that year (and, for reasons, that
// code), and Progressivo is advanced to it.
qint32 takeNextNumber(const Database& db, const QString& kind, const QString& code, const QString& fiscalYear,
                      const QString& table);
