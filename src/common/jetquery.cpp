#include "jetquery.h"
#include "databaseerror.h"
#include "jetcollation.h"

#include <QRegularExpression>

JetQuery& JetQuery::operator<<(const Piece& piece)
{
    if (piece.kind == PieceKind::Fixed)
        appendFixed(piece.fixed);
    else
        m_pieces.push_back(piece);
    return *this;
}

JetQuery& JetQuery::operator<<(const JetQuery& other)
{
    for (const Piece& p : other.m_pieces)
        *this << p;
    return *this;
}

void JetQuery::appendFixed(const QString& sql)
{
    if (!m_pieces.empty() && m_pieces.back().kind == PieceKind::Fixed)
        m_pieces.back().fixed += sql;
    else
        m_pieces.push_back({PieceKind::Fixed, sql, {}});
}

QString JetQuery::jetText() const
{
    QString out;
    for (const Piece& p : m_pieces) {
        switch (p.kind) {
        case PieceKind::Fixed: out += p.fixed; break;
        case PieceKind::Text: out += u'"' + p.value.toString() + u'"'; break;
        case PieceKind::Date: out += u'#' + p.value.toDate().toString(QStringLiteral("MM/dd/yyyy")) + u'#'; break;
        case PieceKind::Number: out += p.value.toString(); break;
        case PieceKind::Null: out += QStringLiteral("Null"); break;
        case PieceKind::Archive: out += u'[' + p.fixed + u']'; break;
        case PieceKind::Table: out += p.fixed; break;
        case PieceKind::Contains: out += p.fixed + QStringLiteral(" LIKE \"*") + p.value.toString() + QStringLiteral("*\""); break;
        }
    }
    if (!m_ordering.empty()) {
        QStringList keys;
        for (const SortKey& k : m_ordering)
            keys << k.column;
        out += m_orderKeyword + keys.join(QStringLiteral(", "));
    }
    return out;
}

JetQuery& JetQuery::orderBy(const QString& keyword, std::vector<SortKey> keys)
{
    m_orderKeyword = keyword;
    m_ordering = std::move(keys);
    return *this;
}

QString JetQuery::rowsTable() const
{
    for (const Piece& p : m_pieces)
        if (p.kind == PieceKind::Table)
            return p.fixed;
    return {};
}

QString JetQuery::sortExpression(const SortKey& key, SqlEngine engine)
{
    // A list reads its rows through the selection's own columns: "DDTRig.Riga" is "Riga" there.
    const QString column = key.column.mid(key.column.lastIndexOf(u'.') + 1);
    if (!key.text)
        return column;
    // PostgreSQL's collation of the column sorts as Italians expect; Null sorts as empty text.
    return engine == SqlEngine::PostgreSQL ? QStringLiteral("coalesce(%1, '')").arg(column) : jetOrderKeySql(column);
}

namespace {

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Whether the SQL before a value ends with a comparison operator (=, <>, <, <=, >, >=), which
// compares text as the lists sort it; LIKE and IN do not take a collation on every engine.
bool comparedByOperator(QStringView before)
{
    const QStringView trimmed = before.trimmed();
    return !trimmed.isEmpty() && QStringView(u"=<>").contains(trimmed.back());
}

// The few places where the original query language differs from SQLite's in fixed text.
QString translateFixed(QString sql, SqlEngine engine)
{
    static const QRegularExpression deleteStar(QStringLiteral("\\bDELETE\\s+\\*\\s+FROM\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    sql.replace(deleteStar, QStringLiteral("DELETE FROM"));
    if (engine == SqlEngine::SQLite)
        return sql;
    // PostgreSQL: names in brackets or quotes are the lower-case names of its schema; a copy
    // that leaves out refused rows says so at its end.
    // Our columns named after reserved words, where a name stands (never a sort direction).
    static const QRegularExpression reserved(QStringLiteral("(\\b(?:SELECT|SET|WHERE|AND|OR|BY|ON)\\s+|[,.(]\\s*)(Desc|User)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    sql.replace(reserved, QStringLiteral("\\1\"\\2\""));
    static const QRegularExpression quotedName(QStringLiteral("\\[(\\w+)\\]|\"(\\w+)\""));
    QString out;
    qsizetype at = 0;
    for (auto it = quotedName.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        out += sql.mid(at, m.capturedStart() - at);
        // A collation keeps its name ("C").
        const bool collation = sql.left(m.capturedStart()).trimmed().endsWith(QLatin1String("COLLATE"), Qt::CaseInsensitive);
        out += collation ? m.captured(0) : u'"' + (m.captured(1) + m.captured(2)).toLower() + u'"';
        at = m.capturedEnd();
    }
    out += sql.mid(at);
    static const QRegularExpression orIgnore(QStringLiteral("^\\s*INSERT\\s+OR\\s+IGNORE\\s+INTO\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (orIgnore.match(out).hasMatch()) {
        out.replace(orIgnore, QStringLiteral("INSERT INTO"));
        while (out.endsWith(u';') || out.endsWith(u' '))
            out.chop(1);
        out += QStringLiteral(" ON CONFLICT DO NOTHING");
    }
    return out;
}

} // namespace

QString JetQuery::executedText(SqlEngine engine, const QStringList& archiveAliases) const
{
    QString out = renderedText(engine, archiveAliases);
    if (!m_ordering.empty()) {
        QStringList keys;
        // Null comes first on both engines, as SQLite sorts it (a text key is never Null).
        for (const SortKey& k : m_ordering)
            keys << sortExpression(k, engine)
                        + (engine == SqlEngine::PostgreSQL && !k.text ? QStringLiteral(" NULLS FIRST") : QString());
        out += QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
    }
    return out;
}

QString JetQuery::pagedText(SqlEngine engine, const QStringList& archiveAliases) const
{
    QString out = renderedText(engine, archiveAliases);
    const QString table = rowsTable();
    if (table.isEmpty() || engine == SqlEngine::PostgreSQL)
        return out;
    // The query promises "SELECT * FROM <table>": its rows lead with their row id.
    static const QRegularExpression head(QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(out);
    if (!m.hasMatch() || !out.mid(m.capturedLength()).startsWith(table))
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Selezione non valida per le righe di %1: %2").arg(table, jetText()));
    return QStringLiteral("SELECT rowid AS __rowid__, * FROM ") + out.mid(m.capturedLength());
}

QString JetQuery::renderedText(SqlEngine engine, const QStringList& archiveAliases) const
{
    QString out;
    int archive = 0;
    for (const Piece& p : m_pieces) {
        switch (p.kind) {
        case PieceKind::Fixed: out += p.fixed; break;
        case PieceKind::Text:
            // An ASCII value compares through the column's own NOCASE (and its index) with the
            // same outcome; letters beyond ASCII need our collation.
            if (!isAscii(p.value.toString()) && comparedByOperator(out))
                out += QStringLiteral("? COLLATE ") + JetCollation;
            else
                out += u'?';
            break;
        case PieceKind::Table: out += p.fixed; break;
        case PieceKind::Contains:
            // PostgreSQL refuses substring searches under a nondeterministic collation: the order
            // key, with capitals made small byte-wise as SQLite's lower() does, holds the search.
            if (engine == SqlEngine::PostgreSQL)
                out += QStringLiteral("strpos(") + jetOrderKeySql(p.fixed + QStringLiteral(" COLLATE \"C\"")) + QStringLiteral(", ?) > 0");
            else
                out += QStringLiteral("jet_contains(\"") + p.fixed + QStringLiteral("\", ?)");
            break;
        case PieceKind::Date:
            out += engine == SqlEngine::PostgreSQL ? QStringLiteral("CAST(? AS text)") : QStringLiteral("?");
            break;
        case PieceKind::Number:
            // PostgreSQL types a value from its place; a value in a selected column has none.
            if (engine == SqlEngine::PostgreSQL)
                out += p.value.typeId() == QMetaType::Double ? QStringLiteral("CAST(? AS double precision)") : QStringLiteral("CAST(? AS bigint)");
            else
                out += u'?';
            break;
        case PieceKind::Null: out += QStringLiteral("NULL"); break;
        case PieceKind::Archive:
            out += archive < archiveAliases.size() ? archiveAliases[archive] : QStringLiteral("ext%1").arg(archive);
            ++archive;
            break;
        }
    }
    return translateFixed(out, engine);
}

QVariantList JetQuery::bindings() const
{
    QVariantList values;
    for (const Piece& p : m_pieces) {
        if (p.kind == PieceKind::Text || p.kind == PieceKind::Number)
            values << p.value;
        else if (p.kind == PieceKind::Contains)
            values << jetOrderKey(p.value.toString());
        else if (p.kind == PieceKind::Date)
            values << p.value.toDate().toString(Qt::ISODate);
    }
    return values;
}

QStringList JetQuery::archives() const
{
    QStringList paths;
    for (const Piece& p : m_pieces)
        if (p.kind == PieceKind::Archive)
            paths << p.fixed;
    return paths;
}

namespace Jet {

QString postgresText(const QString& sqliteText)
{
    return translateFixed(sqliteText, SqlEngine::PostgreSQL);
}

JetQuery::Piece text(const QString& value)
{
    return {JetQuery::PieceKind::Text, {}, value.isNull() ? QStringLiteral("") : value};
}

JetQuery::Piece date(const QDate& value)
{
    return {JetQuery::PieceKind::Date, {}, value};
}

JetQuery::Piece number(qint64 value) { return {JetQuery::PieceKind::Number, {}, value}; }
JetQuery::Piece number(int value) { return {JetQuery::PieceKind::Number, {}, qint64(value)}; }
JetQuery::Piece number(double value) { return {JetQuery::PieceKind::Number, {}, value}; }

JetQuery::Piece identifier(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Nome di tabella o campo non valido: %1").arg(name));
    return {JetQuery::PieceKind::Fixed, name, {}};
}

JetQuery::Piece archive(const QString& path)
{
    return {JetQuery::PieceKind::Archive, path, {}};
}

JetQuery::Piece table(const QString& name)
{
    return {JetQuery::PieceKind::Table, identifier(name).fixed, {}};
}

JetQuery::Piece contains(const QString& column, const QString& typed)
{
    return {JetQuery::PieceKind::Contains, identifier(column).fixed, typed};
}

} // namespace Jet
