#pragma once
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

// A query kept as the fixed pieces the program writes and the values it joins to them.
// jetText() renders the text the original engine was given (text values between double
// quotes, dates as #mm/dd/yyyy#, other archives as [path]); sqliteText() and bindings()
// give the statement actually executed, where every value is a bound parameter, and a text
// value compared for equality compares as the old engine did (jetcollation.h).
//
//   JetQuery q;
//   q << "Select * From Password where Codice=" << Jet::text(userName);
// A selection may say which table its rows are (Jet::table, in "SELECT * FROM <table> ..."): its
// rows can then be changed through their row ids. It may end with the order of its rows given as
// sort keys (orderBy): a list then reads it a page at a time, continuing after the keys of the
// last row read, and an index on the keys serves every page.
// The engines a query runs on: they read the same Jet text, rendered in their own dialect.
enum class SqlEngine { SQLite, PostgreSQL };

struct SortKey
{
    QString column;     // a column name, as the original text writes it
    bool text = false;  // sorted by its order key: "Élite" beside "Elena"
};

class JetQuery
{
public:
    enum class PieceKind { Fixed, Text, Date, Number, Null, Archive, Table, Contains };
    struct Piece
    {
        PieceKind kind;
        QString fixed;   // Fixed: SQL text; Archive: the archive path; Table, Contains: the name
        QVariant value;  // Text / Date / Number
    };

    JetQuery() = default;
    // Only literal SQL is accepted as a fixed piece: data never becomes SQL text.
    template <size_t N>
    JetQuery(const char (&sql)[N]) { appendFixed(QString::fromUtf8(sql, N - 1)); }

    template <size_t N>
    JetQuery& operator<<(const char (&sql)[N]) { appendFixed(QString::fromUtf8(sql, N - 1)); return *this; }
    JetQuery& operator<<(const Piece& piece);
    JetQuery& operator<<(const JetQuery& other);

    // Ends the query with the order of its rows; the keyword is written as the original did
    // (" ORDER BY ", " order by ").
    JetQuery& orderBy(const QString& keyword, std::vector<SortKey> keys);
    const std::vector<SortKey>& ordering() const { return m_ordering; }
    // The table the rows are, when the query says so; empty otherwise.
    QString rowsTable() const;

    QString jetText() const;
    // The executed text; the other archives it names go by the aliases given, in order of
    // appearance (ext0, ext1, ... when none are given).
    QString sqliteText(const QStringList& archiveAliases = {}) const { return executedText(SqlEngine::SQLite, archiveAliases); }
    QString executedText(SqlEngine engine, const QStringList& archiveAliases = {}) const;
    // The executed text as a list reads it a page at a time: the rows of a table lead with their
    // row id (as __rowid__), and the ordering is left to the reader.
    // On PostgreSQL every table has its row id as a column of its own.
    QString pagedText(SqlEngine engine, const QStringList& archiveAliases = {}) const;
    // A sort key as the executed text compares it, by the selection's own column names.
    static QString sortExpression(const SortKey& key, SqlEngine engine = SqlEngine::SQLite);
    QVariantList bindings() const;
    // Archives named in the query, in order of appearance (attached as ext0, ext1, ...).
    QStringList archives() const;
    const std::vector<Piece>& pieces() const { return m_pieces; }
    bool isEmpty() const { return m_pieces.empty(); }

private:
    void appendFixed(const QString& sql);
    QString renderedText(SqlEngine engine, const QStringList& archiveAliases) const;
    std::vector<Piece> m_pieces;
    QString m_orderKeyword;
    std::vector<SortKey> m_ordering;
};

namespace Jet {
JetQuery::Piece text(const QString& value);
JetQuery::Piece date(const QDate& value);
JetQuery::Piece number(qint64 value);
JetQuery::Piece number(double value);
JetQuery::Piece number(int value);
// A table or column name taken from data (for instance a numerator's document table):
// accepted only when it is a plain identifier, otherwise DatabaseError is thrown.
JetQuery::Piece identifier(const QString& name);
// Another archive, written [path] in the query (insert-select from it).
JetQuery::Piece archive(const QString& path);
// The table whose rows a selection lists, written where "SELECT * FROM " names it.
JetQuery::Piece table(const QString& name);
// Whether a text column holds what a user typed, accents and capitals aside: "col LIKE "*text*""
// in the original text.
JetQuery::Piece contains(const QString& column, const QString& typed);
// SQL written for SQLite as PostgreSQL reads it: names in brackets or quotes, and the names
// that are its reserved words, in the lower case of its schema.
QString postgresText(const QString& sqliteText);
} // namespace Jet
