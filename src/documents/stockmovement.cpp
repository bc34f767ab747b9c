#include "stockmovement.h"
#include "numberedrows.h"
#include "numbering.h"
#include "common/jetdate.h"
#include "common/transaction.h"

#include <QSqlQuery>

std::optional<MovementReason> readMovementReason(const Database& db, const QString& code)
{
    Rows cause = db.select(JetQuery("SELECT Codice, Segno, Tipo, [Desc] FROM CauMag WHERE Codice=") << Jet::text(code));
    if (!cause.next())
        return std::nullopt;
    return MovementReason{cause.value(0).toString(), cause.value(1).toString(), cause.value(2).toString(),
                          cause.value(3).toString()};
}

void writeMovementHeader(const Database& db, const MovementHeader& h)
{
    QSqlQuery insert = db.prepare(QStringLiteral(
        "INSERT INTO MovMagTes (DataReg, NumInt, idCausale, Segno, Tipo, idEsercizio, Origine, OrigDataReg, OrigNumero, "
        "OrigNumInt, Note) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariant values[] = {h.date.toString(Qt::ISODate), h.number, h.reason.code, h.reason.sign, h.reason.kind,
                               h.fiscalYear, h.origin, h.originDataReg, h.originNumero, h.originNumInt, h.note};
    for (int i = 0; i < int(std::size(values)); ++i)
        insert.bindValue(i, values[i]);
    db.run(insert);
}

PostedMovement postStockMovement(const Database& db, const QString& fiscalYear, const StockMovementRequest& request)
{
    const std::optional<QDate> date = parseTypedDate(request.movementDate);
    if (!date)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Data Movimento Magazzino Errata"));
    if (!request.sourceDataReg.isValid())
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Data del documento di origine errata"));

    return inImmediateTransaction(db, [&] {
        std::optional<MovementReason> reason = readMovementReason(db, request.reasonCode);
        if (!reason)
            throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Causale Mov. Magazzino Errata"));
        if (!request.reasonKind.isEmpty())
            reason->kind = request.reasonKind;
        const qint32 number = takeNextNumber(db, QStringLiteral("M"), reason->code, fiscalYear, QStringLiteral("MovMagTes"));
        writeMovementHeader(db, {*date, number, *reason, fiscalYear, request.sourceKindName,
                                 request.sourceDataReg.toString(Qt::ISODate), request.sourceNumero,
                                 request.sourceNumInt, QVariant()});

        const auto source = Jet::identifier(request.sourceRowsTable);
        JetQuery lines;
        lines << "INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, idArticolo, Deposito, Quantita, "
                 "Segno, PUnitLit, PUnitEuro) SELECT "
              << Jet::date(*date) << ", " << Jet::number(number) << ", " << Jet::text(reason->code) << ", "
              << Jet::text(fiscalYear) << ", numbered.n, " << source << ".idArticolo, " << source << ".Deposito, "
              << source << ".Quantita, " << Jet::text(reason->sign) << ", " << source << ".PUnitLit, " << source
              << ".PUnitEuro FROM "
              << numberedRows(db, request.sourceRowsTable, request.sourceDataReg, request.sourceNumInt)
              // A row of text alone moves no goods.
              << " WHERE " << source << ".idArticolo IS NOT NULL";
        db.execute(lines);
        return PostedMovement{number, reason->kind};
    });
}
