#include "serverduplicates.h"
#include "archivecopy.h"
#include "jetcollation.h"

#include <QHash>
#include <QSqlQuery>

namespace {

struct KeyColumn
{
    QString name;
    bool folded;  // compared without regard to case (NOCASE), else exactly
};

// The unique keys of a table with how each of their columns compares.
QVector<QVector<KeyColumn>> uniqueKeysOf(const Database& db, const QString& table)
{
    QVector<QVector<KeyColumn>> keys;
    QSqlQuery indexes = db.prepare(QStringLiteral("SELECT name FROM pragma_index_list(?) WHERE \"unique\" = 1"));
    indexes.addBindValue(table);
    db.run(indexes);
    while (indexes.next()) {
        QSqlQuery columns = db.prepare(
            QStringLiteral("SELECT name, coll FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"));
        columns.addBindValue(indexes.value(0));
        db.run(columns);
        QVector<KeyColumn> key;
        while (columns.next())
            key.push_back({columns.value(0).toString(), columns.value(1).toString().compare(u"NOCASE", Qt::CaseInsensitive) == 0});
        keys.push_back(key);
    }
    return keys;
}

} // namespace

QVector<ServerDuplicate> serverDuplicates(const Database& sqlite)
{
    QVector<ServerDuplicate> found;
    for (const QString& table : archiveTables(sqlite)) {
        for (const QVector<KeyColumn>& key : uniqueKeysOf(sqlite, table)) {
            QStringList names;
            for (const KeyColumn& c : key)
                names << sqlite.quotedName(c.name);
            QSqlQuery rows = sqlite.prepare(QStringLiteral("SELECT %1 FROM %2").arg(names.join(u','), sqlite.quotedName(table)));
            sqlite.run(rows);
            QHash<QString, QStringList> seen;
            while (rows.next()) {
                QStringList values, compared;
                bool complete = true;
                for (int i = 0; i < key.size(); ++i) {
                    const QVariant v = rows.value(i);
                    // A key with a Null part repeats nothing, on either engine.
                    complete = complete && !v.isNull();
                    const bool text = v.typeId() == QMetaType::QString;
                    values << v.toString();
                    compared << (text && key[i].folded ? jetEqualityKey(v.toString())
                                                        : text ? v.toString() : QString::number(v.toDouble(), 'g', 17));
                }
                if (!complete)
                    continue;
                // Parts joined by a character no code holds.
                const QString joined = compared.join(QChar(0));
                if (const auto it = seen.constFind(joined); it != seen.cend()) {
                    QStringList columns;
                    for (const KeyColumn& c : key)
                        columns << c.name;
                    found.push_back({table, columns, *it, values});
                } else {
                    seen.insert(joined, values);
                }
            }
        }
    }
    return found;
}
