#pragma once
#include <QString>
class QSqlDatabase;

// Text in the archives compares without regard to case, accented letters included, as the
// original engine did. Our connections replace SQLite's ASCII-only NOCASE collation (the one
// every text column is declared with) by a Unicode-aware one; the stock sqlite3 shell keeps
// its own NOCASE and can still read and query the files.
void registerJetCollation(QSqlDatabase& db);

// The comparison itself, exposed for tests and in-memory look-ups: <0, 0, >0.
int jetCompare(const QString& a, const QString& b);
