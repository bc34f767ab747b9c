#include "numberedrows.h"

JetQuery numberedRows(const Database& db, const QString& rowsTable, const QDate& dataReg, qint32 numInt)
{
    const auto table = Jet::identifier(rowsTable);
    JetQuery ofDocument;
    ofDocument << " FROM " << table << " WHERE " << table << ".DataReg = " << Jet::date(dataReg) << " AND " << table
               << ".NumInt = " << Jet::number(numInt);
    JetQuery from;
    if (db.engine() == Database::Engine::PostgreSQL) {
        from << "(SELECT " << table << ".__rowid__ AS r, ROW_NUMBER() OVER (ORDER BY " << table << ".Riga) AS n"
             << ofDocument << ") AS numbered JOIN " << table << " ON " << table << ".__rowid__ = numbered.r";
        return from;
    }
    // Rows inserted into an empty table take the row ids 1, 2, 3... in the order they come.
    db.run(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS NumberedRows (n INTEGER PRIMARY KEY, r INTEGER)"));
    db.run(QStringLiteral("DELETE FROM temp.NumberedRows"));
    JetQuery fill;
    fill << "INSERT INTO temp.NumberedRows (r) SELECT " << table << ".rowid" << ofDocument << " ORDER BY " << table
         << ".Riga";
    db.execute(fill);
    from << "temp.NumberedRows AS numbered JOIN " << table << " ON " << table << ".rowid = numbered.r";
    return from;
}
