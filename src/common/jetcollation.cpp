#include "jetcollation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

#include <cstring>

namespace {

bool isAscii(const unsigned char* s, int n)
{
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80)
            return false;
    return true;
}

// ASCII strings (the common case) are compared exactly like SQLite's own NOCASE, so indexes
// built by either collation agree on them.
int asciiNoCase(const unsigned char* a, int na, const unsigned char* b, int nb)
{
    const int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
        int ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb)
            return ca - cb;
    }
    return na - nb;
}

int collate(void*, int na, const void* pa, int nb, const void* pb)
{
    auto a = static_cast<const unsigned char*>(pa);
    auto b = static_cast<const unsigned char*>(pb);
    if (isAscii(a, na) && isAscii(b, nb))
        return asciiNoCase(a, na, b, nb);
    return jetCompare(QString::fromUtf8(reinterpret_cast<const char*>(a), na),
                      QString::fromUtf8(reinterpret_cast<const char*>(b), nb));
}

} // namespace

int jetCompare(const QString& a, const QString& b)
{
    // Case folding keeps the order of lower-case text, so the order matches SQLite's NOCASE
    // wherever no upper-case non-ASCII letter is involved.
    const QByteArray fa = a.toCaseFolded().toUtf8();
    const QByteArray fb = b.toCaseFolded().toUtf8();
    const int n = std::min(fa.size(), fb.size());
    const int c = std::memcmp(fa.constData(), fb.constData(), size_t(n));
    if (c != 0)
        return c;
    return int(fa.size() - fb.size());
}

void registerJetCollation(QSqlDatabase& db)
{
    QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    auto* sqlite = *static_cast<sqlite3**>(handle.data());
    if (sqlite)
        sqlite3_create_collation_v2(sqlite, "NOCASE", SQLITE_UTF8, nullptr, collate, nullptr);
}
