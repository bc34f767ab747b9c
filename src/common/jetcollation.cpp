#include "jetcollation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

#include <cstring>

namespace {

// Accented letters and the letters they sort with: those of Italian, and of the German and
// Spanish names an Italian office meets. Small letters after SQLite's lower() (ASCII only)
// still carry their accent, capitals their case, so both are listed. The list is short on
// purpose: each letter nests one replace() in the key, and SQLite's parser takes about thirty.
struct Unaccented
{
    char16_t letter;
    const char* base;
};
constexpr Unaccented Unaccent[] = {
    {u'à', "a"}, {u'á', "a"}, {u'ä', "a"}, {u'è', "e"}, {u'é', "e"}, {u'ì', "i"}, {u'í', "i"}, {u'ò', "o"},
    {u'ó', "o"}, {u'ö', "o"}, {u'ù', "u"}, {u'ú', "u"}, {u'ü', "u"}, {u'ç', "c"}, {u'ñ', "n"},
    {u'À', "a"}, {u'Ä', "a"}, {u'È', "e"}, {u'É', "e"}, {u'Ì', "i"}, {u'Ò', "o"}, {u'Ö', "o"}, {u'Ù', "u"},
    {u'Ü', "u"},
};

const char* unaccented(char16_t c)
{
    for (const Unaccented& u : Unaccent)
        if (u.letter == c)
            return u.base;
    return nullptr;
}

// Small letters; a letter beyond ASCII never becomes an ASCII one (the Kelvin sign stays).
QString folded(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        const char32_t c = it->isHighSurrogate() && it + 1 != text.cend() ? QChar::surrogateToUcs4(*it, *(it + 1)) : it->unicode();
        if (c > 0xffff)
            ++it;
        char32_t f = c < 0x80 ? (c >= 'A' && c <= 'Z' ? c + 32 : c) : QChar::toCaseFolded(c);
        if (c >= 0x80 && f < 0x80)
            f = c;
        if (QChar::requiresSurrogates(f)) {
            out += QChar(QChar::highSurrogate(f));
            out += QChar(QChar::lowSurrogate(f));
        } else {
            out += QChar(char16_t(f));
        }
    }
    return out;
}

int compareBytes(const QByteArray& a, const QByteArray& b)
{
    const int n = int(std::min(a.size(), b.size()));
    if (const int c = std::memcmp(a.constData(), b.constData(), size_t(n)))
        return c;
    return int(a.size() - b.size());
}

// Our queries name the collation only beside a value with letters beyond ASCII; ASCII values
// compare through the column's own NOCASE and its index.
int collate(void*, int na, const void* pa, int nb, const void* pb)
{
    return jetCompare(QString::fromUtf8(static_cast<const char*>(pa), na), QString::fromUtf8(static_cast<const char*>(pb), nb));
}

// jet_contains(text, key): a search typed in a list, accents and capitals aside.
void contains(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    const auto text = [](sqlite3_value* v) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    };
    sqlite3_result_int(context, jetOrderKey(text(args[0])).contains(text(args[1])) ? 1 : 0);
}

} // namespace

QString jetOrderKey(const QString& text)
{
    QString key;
    key.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            key += c.unicode() >= 'A' && c.unicode() <= 'Z' ? QChar(c.unicode() + 32) : c;
        else if (const char* base = unaccented(c.unicode()))
            key += QLatin1String(base);
        else
            key += c;
    }
    return key;
}

QString jetEqualityKey(const QString& text)
{
    return folded(text);
}

QString jetOrderKeySql(const QString& expression)
{
    QString sql = QStringLiteral("lower(coalesce(") + expression + QStringLiteral(",''))");
    for (const Unaccented& u : Unaccent)
        sql = QStringLiteral("replace(%1,'%2','%3')").arg(sql, QString(QChar(u.letter)), QLatin1String(u.base));
    return sql;
}

int jetCompare(const QString& a, const QString& b)
{
    // Both keys are made from the case-folded text, so two texts that differ only in case are
    // equal whatever their letters ("Ó" = "ó", "Æ" = "æ"), as PostgreSQL's level-2 collation
    // has them; the order key made from the text as typed would see "Ó" and "ó" apart.
    const QString fa = folded(a), fb = folded(b);
    if (const int byKey = compareBytes(jetOrderKey(fa).toUtf8(), jetOrderKey(fb).toUtf8()))
        return byKey;
    return compareBytes(fa.toUtf8(), fb.toUtf8());
}

void registerJetCollation(QSqlDatabase& db)
{
    QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    auto* sqlite = *static_cast<sqlite3**>(handle.data());
    if (!sqlite)
        return;
    sqlite3_create_collation_v2(sqlite, JetCollation.toUtf8().constData(), SQLITE_UTF8, nullptr, collate, nullptr);
    sqlite3_create_function_v2(sqlite, "jet_contains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, contains, nullptr,
                               nullptr, nullptr);
}
