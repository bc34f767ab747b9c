#pragma once
#include <QString>
class QSqlDatabase;

// Text in the archives compares as the old engine compared it: without regard to case, accented
// letters included ("caffè" = "CAFFÈ", "É" = "é"), and sorts as Italians expect ("Élite" beside
// "Elena", not after "Zeta"). The archives declare only SQLite's built-in collations, so any
// SQLite tool can check, vacuum and rebuild them; the comparison is a collation of our own,
// registered on each connection under its own name and named in our queries:
//  - an equality with a text value holding letters beyond ASCII is written "= ? COLLATE
//    jet_nocase" (JetQuery does it); an ASCII value compares through the column's NOCASE,
//    which gives the same answer and uses the column's index;
//  - lists are sorted by the order key, an expression of built-in functions that an index can
//    hold (accents of Latin letters dropped, capitals made small), then by the row.
inline const QString JetCollation = QStringLiteral("jet_nocase");

// Registers the collation on a connection, with the function jet_contains(text, key): whether a
// text holds, accents and capitals aside, an order key (jetOrderKey of what a user typed).
void registerJetCollation(QSqlDatabase& db);

// The comparison itself: <0, 0, >0. First the order keys of the case-folded texts, then the
// case-folded texts: two texts are equal when they differ in case alone, for every letter, and
// accents count ("è" is not "e"), as PostgreSQL's ICU collation at level 2 has it ("ß" stays
// other than "ss"). ASCII text compares exactly as SQLite's NOCASE. Case folding never turns a
// letter beyond ASCII into an ASCII one, so an ASCII text equals only ASCII texts.
int jetCompare(const QString& a, const QString& b);

// What two texts equal under jet_nocase have in common: the text with case folded.
QString jetEqualityKey(const QString& text);

// The order key of a text, as jetOrderKeySql computes it in a query.
QString jetOrderKey(const QString& text);
// The same key as SQL over an expression (a column name): lower() and replace() only, Null as
// an empty text.
QString jetOrderKeySql(const QString& expression);
