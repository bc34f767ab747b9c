#include "stockmovement.h"
#include "numberedrows.h"
#include "numbering.h"
#include "common/jetdate.h"
#include "common/transaction.h"

#include <QSqlQuery>

PostedMovement postStockMovement(const Database& db, const QString& fiscalYear, const StockMovementRequest& request)
{
    const std::optional<QDate> date = parseTypedDate(request.movementDate);
    if (!date)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Data Movimento Magazzino Errata"));
    if (!request.sourceDataReg.isValid())
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Data del documento di origine errata"));

    return inImmediateTransaction(db, [&] {
        QString reason;
        QString sign;
        QString kind = request.reasonKind;
        {
            Rows cause = db.select(JetQuery("SELECT Codice, Segno, Tipo FROM CauMag WHERE Codice=")
                                        << Jet::text(request.reasonCode));
            if (!cause.next())
                throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Causale Mov. Magazzino Errata"));
            reason = cause.value(0).toString();
            sign = cause.value(1).toString();
            if (kind.isEmpty())
                kind = cause.value(2).toString();
        }
        const qint32 number = takeNextNumber(db, QStringLiteral("M"), reason, fiscalYear, QStringLiteral("MovMagTes"));

        db.execute(JetQuery("INSERT INTO MovMagTes (DataReg, NumInt, idCausale, Segno, Tipo, idEsercizio, Origine, "
                            "OrigDataReg, OrigNumero, OrigNumInt) VALUES (")
                   << Jet::date(*date) << ", " << Jet::number(number) << ", " << Jet::text(reason) << ", "
                   << Jet::text(sign) << ", " << Jet::text(kind) << ", " << Jet::text(fiscalYear) << ", "
                   << Jet::text(request.sourceKindName) << ", " << Jet::date(request.sourceDataReg) << ", "
                   << Jet::text(request.sourceNumero) << ", " << Jet::number(request.sourceNumInt) << ")");

        const auto source = Jet::identifier(request.sourceRowsTable);
        JetQuery lines;
        lines << "INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, idArticolo, Deposito, Quantita, "
                 "Segno) SELECT "
              << Jet::date(*date) << ", " << Jet::number(number) << ", " << Jet::text(reason) << ", "
              << Jet::text(fiscalYear) << ", numbered.n, " << source << ".idArticolo, " << source << ".Deposito, "
              << source << ".Quantita, " << Jet::text(sign) << " FROM "
              << numberedRows(db, request.sourceRowsTable, request.sourceDataReg, request.sourceNumInt)
              // A row of text alone moves no goods.
              << " WHERE " << source << ".idArticolo IS NOT NULL";
        db.execute(lines);
        return PostedMovement{number, kind};
    });
}
