#include "baseclass.h"
#include "numbering.h"
#include "common/jetdate.h"

#include <QSqlQuery>

namespace {

// The source document's date arrives as text: day first as users see it, or as stored.
QDate sourceDocumentDate(const QString& text)
{
    if (const auto typed = parseTypedDate(text))
        return *typed;
    return storedDate(text);
}

} // namespace

// A movement is numbered per reason and fiscal year through the numerator ("M", reason, year)
// and holds one line per row of the source document (article, warehouse, quantity) with the
// reason's sign. The number, the header and the lines are written in one immediate transaction,
// or within the caller's when a document being created on the session's archive asks for it.
// The wizard window, the two data controls and the trailing -1 are not needed: the source
// document is named by the other arguments.
void BaseClass::PostStockMovement(QWidget*, const QString& sourceKindName, const QString& sourceDataReg,
                                  const QString& sourceNumero, const QString& movementDate, const QString& reasonCode,
                                  qint32& movementNumber, QString& reasonKind, QString& sourceRowsTable,
                                  DataControl*, DataControl*, qint32, qint32 sourceNumInt)
{
    const std::optional<QDate> date = parseTypedDate(movementDate);
    if (!date)
        throw DatabaseError(DatabaseError::Kind::Statement, QStringLiteral("Data Movimento Magazzino Errata"));
    const QDate sourceDate = sourceDocumentDate(sourceDataReg);
    if (!sourceDate.isValid())
        throw DatabaseError(DatabaseError::Kind::Statement,
                            QStringLiteral("Data del documento di origine errata: %1").arg(sourceDataReg));

    const Database db = dataArchive();
    movementNumber = inImmediateTransaction(db, [&] {
        QString reason;
        QString sign;
        {
            QSqlQuery cause = db.select(JetQuery("SELECT Codice, Segno, Tipo FROM CauMag WHERE Codice=")
                                        << Jet::text(reasonCode));
            if (!cause.next())
                throw DatabaseError(DatabaseError::Kind::Statement, QStringLiteral("Causale Mov. Magazzino Errata"));
            reason = cause.value(0).toString();
            sign = cause.value(1).toString();
            if (reasonKind.isEmpty())
                reasonKind = cause.value(2).toString();
        }
        const qint32 number = takeNextNumber(db, QStringLiteral("M"), reason, FiscalYear, QStringLiteral("MovMagTes"));

        db.execute(JetQuery("INSERT INTO MovMagTes (DataReg, NumInt, idCausale, Segno, Tipo, idEsercizio, Origine, "
                            "OrigDataReg, OrigNumero, OrigNumInt) VALUES (")
                   << Jet::date(*date) << ", " << Jet::number(number) << ", " << Jet::text(reason) << ", "
                   << Jet::text(sign) << ", " << Jet::text(reasonKind) << ", " << Jet::text(FiscalYear) << ", "
                   << Jet::text(sourceKindName) << ", " << Jet::date(sourceDate) << ", " << Jet::text(sourceNumero)
                   << ", " << Jet::number(sourceNumInt) << ")");

        JetQuery lines;
        lines << "INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, idArticolo, Deposito, Quantita, "
                 "Segno) SELECT "
              << Jet::date(*date) << ", " << Jet::number(number) << ", " << Jet::text(reason) << ", "
              << Jet::text(FiscalYear) << ", ROW_NUMBER() OVER (ORDER BY Riga), idArticolo, Deposito, Quantita, "
              << Jet::text(sign) << " FROM " << Jet::identifier(sourceRowsTable) << " WHERE DataReg="
              << Jet::date(sourceDate) << " AND NumInt=" << Jet::number(sourceNumInt) << " ORDER BY Riga";
        db.execute(lines);
        return number;
    });
}
