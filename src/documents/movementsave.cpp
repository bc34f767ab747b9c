#include "movementsave.h"
#include "draftchecks.h"
#include "stockmovement.h"
#include "common/jetdate.h"
#include "common/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

[[noreturn]] void refuse(const QString& sentence)
{
    throw DatabaseError(DatabaseError::Kind::Refused, sentence);
}

JetQuery& whereKey(JetQuery& q, const MovementKey& key)
{
    return q << " WHERE idEsercizio = " << Jet::text(key.fiscalYear) << " AND idCausale = " << Jet::text(key.reason)
             << " AND NumInt = " << Jet::number(key.number);
}

// The stored header; refused when a document posted the movement.
std::optional<QSqlRecord> storedHeader(const Database& db, const MovementKey& key)
{
    JetQuery q("SELECT DataReg, Origine, Note, OrigNumero, OrigDataReg, OrigNumInt, idCausale FROM MovMagTes");
    Rows h = db.select(whereKey(q, key));
    if (!h.next())
        return std::nullopt;
    const QSqlRecord r = h.record();
    if (!r.isNull(QStringLiteral("OrigNumInt")))
        refuse(QStringLiteral("Il movimento %1 N. %2 è stato generato con il documento %3 N. %4 del %5: si corregge o si "
                              "elimina dal documento.")
                   .arg(key.reason)
                   .arg(key.number)
                   .arg(r.value(QStringLiteral("Origine")).toString(), r.value(QStringLiteral("OrigNumero")).toString(),
                        typedDate(storedDate(r.value(QStringLiteral("OrigDataReg"))))));
    return r;
}

void removeMovement(const Database& db, const MovementKey& key)
{
    for (const char* table : {"MovMagRig", "MovMagTes"}) {
        JetQuery q("DELETE FROM ");
        q << Jet::identifier(QString::fromLatin1(table));
        db.execute(whereKey(q, key));
    }
}

void writeLines(const Database& db, const DocumentDraft& draft, const MovementKey& key, const QString& sign)
{
    QSqlQuery insert = db.prepare(QStringLiteral(
        "INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, idArticolo, Deposito, Quantita, Segno, "
        "PUnitLit, PUnitEuro) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QString date = draft.date.toString(Qt::ISODate);
    for (int i = 0; i < draft.rows.size(); ++i) {
        const DraftRow& row = draft.rows[i];
        const QVariant values[] = {date,        key.number,   key.reason, key.fiscalYear, i + 1,         row.article,
                                   row.deposit, row.quantity, sign,       row.priceLire,  row.priceEuro};
        for (int v = 0; v < int(std::size(values)); ++v)
            insert.bindValue(v, values[v]);
        db.run(insert);
    }
}

} // namespace

std::optional<DocumentDraft> readMovement(const Database& db, const MovementKey& key)
{
    const std::optional<QSqlRecord> header = storedHeader(db, key);
    if (!header)
        return std::nullopt;
    DocumentDraft draft;
    draft.kindCode = StockMovementKind;
    draft.date = draft.savedDate = storedDate(header->value(QStringLiteral("DataReg")));
    draft.numInt = key.number;
    draft.fiscalYear = key.fiscalYear;
    draft.movementReason = header->value(QStringLiteral("idCausale")).toString();
    for (const QString& column : {QStringLiteral("Origine"), QStringLiteral("Note")})
        if (!header->isNull(column))
            draft.header.insert(column, header->value(column));
    JetQuery q("SELECT r.idArticolo, a.Descrizione, r.Deposito, r.Quantita, r.PUnitEuro, r.PUnitLit FROM MovMagRig r "
               "LEFT JOIN Articoli a ON a.Codice = r.idArticolo WHERE r.idEsercizio = ");
    q << Jet::text(key.fiscalYear) << " AND r.idCausale = " << Jet::text(key.reason) << " AND r.NumInt = "
      << Jet::number(key.number) << " ORDER BY r.Riga";
    Rows lines = db.select(q);
    while (lines.next()) {
        DraftRow row;
        row.article = lines.value(0).toString();
        row.description = lines.value(1).toString();
        row.deposit = lines.value(2).toString();
        row.quantity = lines.value(3).toDouble();
        row.priceEuro = lines.value(4).toDouble();
        row.priceLire = lines.value(5).toDouble();
        draft.rows << row;
    }
    return draft;
}

MovementKey saveMovement(const DocumentSession& session, const DocumentDraft& draft,
                         const std::optional<MovementKey>& replaced)
{
    const Database& db = session.archive;
    const QString fiscalYear = replaced ? replaced->fiscalYear : session.values.fiscalYear;
    if (const auto refusal = checkMovement(db, draft, fiscalYear))
        refuse(refusal->message);
    return inImmediateTransaction(db, [&] {
        const std::optional<MovementReason> reason = readMovementReason(db, draft.movementReason.trimmed());
        if (!reason)
            refuse(QStringLiteral("Causale di magazzino sconosciuta: ") + draft.movementReason.trimmed());
        MovementKey key{fiscalYear, reason->code, 0};
        if (replaced) {
            if (!storedHeader(db, *replaced))
                refuse(QStringLiteral("Il movimento non è più nell'archivio: un'altra postazione lo ha eliminato."));
            removeMovement(db, *replaced);
            if (replaced->reason.compare(reason->code, Qt::CaseInsensitive) == 0)
                key.number = replaced->number;
        }
        if (!key.number)
            key.number = session.numbering.nextNumber(QStringLiteral("M"), reason->code, fiscalYear, QStringLiteral("MovMagTes"));
        const QVariant none;
        writeMovementHeader(db, {draft.date, key.number, *reason, fiscalYear, draft.header.value(QStringLiteral("Origine")),
                                 none, none, none, draft.header.value(QStringLiteral("Note"))});
        writeLines(db, draft, key, reason->sign);
        return key;
    });
}

void deleteMovement(const DocumentSession& session, const MovementKey& key)
{
    const Database& db = session.archive;
    inImmediateTransaction(db, [&] {
        if (storedHeader(db, key))
            removeMovement(db, key);
    });
}
