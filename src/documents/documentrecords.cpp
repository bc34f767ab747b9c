#include "documentrecords.h"

JetQuery documentSelection(const QString& table, const QDate& dataReg, qint32 numInt)
{
    const JetQuery::Piece name = Jet::identifier(table);
    JetQuery q;
    q << "SELECT * FROM " << Jet::table(table) << " WHERE ((" << name << ".DataReg = " << Jet::date(dataReg) << ") AND ("
      << name << ".NumInt = " << Jet::number(numInt) << "))";
    return q;
}

JetQuery documentRowsSelection(const QString& rowsTable, const QDate& dataReg, qint32 numInt)
{
    JetQuery q = documentSelection(rowsTable, dataReg, numInt);
    q.orderBy(QStringLiteral(" ORDER BY "), {{Jet::identifier(rowsTable).fixed + QStringLiteral(".Riga")}});
    return q;
}

JetQuery emptySelection(const QString& table)
{
    const JetQuery::Piece name = Jet::identifier(table);
    JetQuery q;
    q << "SELECT * FROM " << Jet::table(table) << " WHERE (" << name << ".NumInt = -1)";
    return q;
}

Recordset openDocumentHeader(const Database& db, const QString& headerTable, const QDate& dataReg, qint32 numInt)
{
    return Recordset::open(db, documentSelection(headerTable, dataReg, numInt), Recordset::Type::Dynaset, true);
}

Recordset openDocumentRows(const Database& db, const QString& rowsTable, const QDate& dataReg, qint32 numInt)
{
    return Recordset::open(db, documentRowsSelection(rowsTable, dataReg, numInt), Recordset::Type::Dynaset, true);
}

Recordset openForAppend(const Database& db, const QString& table)
{
    return Recordset::open(db, emptySelection(table), Recordset::Type::Dynaset, false);
}
