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
class JetQuery
{
public:
    enum class PieceKind { Fixed, Text, Date, Number, Null, Archive, OrderKey };
    struct Piece
    {
        PieceKind kind;
        QString fixed;   // Fixed: SQL text; Archive: the archive path; OrderKey: the column
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

    QString jetText() const;
    // The executed text; the other archives it names go by the aliases given, in order of
    // appearance (ext0, ext1, ... when none are given).
    QString sqliteText(const QStringList& archiveAliases = {}) const;
    QVariantList bindings() const;
    // Archives named in the query, in order of appearance (attached as ext0, ext1, ...).
    QStringList archives() const;
    const std::vector<Piece>& pieces() const { return m_pieces; }
    bool isEmpty() const { return m_pieces.empty(); }

private:
    void appendFixed(const QString& sql);
    std::vector<Piece> m_pieces;
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
// A text column as a list is sorted by it: the column in the original text, its order key
// (jetcollation.h) in the executed one, so that "Élite" sorts beside "Elena".
JetQuery::Piece orderKey(const QString& column);
} // namespace Jet
