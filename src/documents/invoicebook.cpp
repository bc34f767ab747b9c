#include "invoicebook.h"
#include "documentdraft.h"
#include "common/jetdate.h"

namespace {

struct Neighbour
{
    qint32 numInt = 0;
    QDate date;
};

// The document numbered nearest below (or above) numInt in the fiscal year.
std::optional<Neighbour> neighbour(const Database& db, const DocumentKind& kind, const QString& fiscalYear,
                                   qint32 numInt, bool before)
{
    JetQuery q("SELECT NumInt, DataReg FROM ");
    q << Jet::identifier(kind.headerTable) << " WHERE idEsercizio = " << Jet::text(fiscalYear) << " AND NumInt > 0";
    if (before)
        q << " AND NumInt < " << Jet::number(numInt) << " ORDER BY NumInt DESC LIMIT 1";
    else
        q << " AND NumInt > " << Jet::number(numInt) << " ORDER BY NumInt LIMIT 1";
    Rows found = db.select(q);
    if (!found.next())
        return std::nullopt;
    return Neighbour{found.value(0).toInt(), storedDate(found.value(1))};
}

QString named(const Neighbour& n)
{
    return QStringLiteral("N. %1 del %2").arg(n.numInt).arg(typedDate(n.date));
}

} // namespace

bool keepsInvoiceBook(const DocumentKind& kind)
{
    return kind.code == QLatin1String("FATVE") || kind.code == QLatin1String("FATNC");
}

std::optional<QString> dateOrderRefusal(const Database& db, const DocumentKind& kind, const QString& fiscalYear,
                                        qint32 numInt, const QDate& date)
{
    if (!keepsInvoiceBook(kind) || outsideInvoiceBook(numInt))
        return std::nullopt;
    if (const auto previous = neighbour(db, kind, fiscalYear, numInt, true); previous && date < previous->date)
        return QStringLiteral("La data %1 precede quella del documento precedente, %2: i documenti sono numerati "
                              "in ordine di data.")
            .arg(typedDate(date), named(*previous));
    if (const auto next = neighbour(db, kind, fiscalYear, numInt, false); next && date > next->date)
        return QStringLiteral("La data %1 segue quella del documento successivo, %2: i documenti sono numerati "
                              "in ordine di data.")
            .arg(typedDate(date), named(*next));
    return std::nullopt;
}

std::optional<QString> eInvoiceRefusal(const Database& db, const DocumentKind& kind, const QDate& dataReg, qint32 numInt)
{
    if (!keepsInvoiceBook(kind))
        return std::nullopt;
    JetQuery q("SELECT FatturaPANome, FatturaPAData FROM ");
    q << Jet::identifier(kind.headerTable) << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = "
      << Jet::number(numInt) << " AND FatturaPANome IS NOT NULL";
    Rows written = db.select(q);
    if (!written.next())
        return std::nullopt;
    return QStringLiteral("La Fattura Elettronica di questo documento è già stata scritta (%1, il %2): il documento "
                          "non si può più modificare né eliminare.\rPer correggerlo emettere una nota di credito.")
        .arg(written.value(0).toString(),
             QDateTime::fromString(written.value(1).toString(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy HH:mm")));
}

std::optional<QString> deletionRefusal(const Database& db, const DocumentKind& kind, const QString& fiscalYear,
                                       qint32 numInt)
{
    if (!keepsInvoiceBook(kind) || outsideInvoiceBook(numInt))
        return std::nullopt;
    const auto last = neighbour(db, kind, fiscalYear, numInt, false);
    if (!last)
        return std::nullopt;
    JetQuery q("SELECT NumInt, DataReg FROM ");
    q << Jet::identifier(kind.headerTable) << " WHERE idEsercizio = " << Jet::text(fiscalYear)
      << " ORDER BY NumInt DESC LIMIT 1";
    Rows found = db.select(q);
    found.next();
    return QStringLiteral("Si può eliminare solo l'ultimo documento della numerazione (%1): la numerazione non deve "
                          "avere interruzioni.")
        .arg(named(Neighbour{found.value(0).toInt(), storedDate(found.value(1))}));
}

void giveNumberBack(const Database& db, const DocumentKind& kind, const QString& fiscalYear, qint32 numInt)
{
    const qint32 number = shownNumber(numInt);
    db.execute(JetQuery("UPDATE Numeratori SET Progressivo = ")
               << Jet::number(number - 1) << " WHERE idTipo = '*' AND idCodice = "
               << Jet::text(outsideInvoiceBook(numInt) ? ProFormaNumerator : kind.code) << " AND idEsercizio = "
               << Jet::text(fiscalYear) << " AND Progressivo = " << Jet::number(number));
}
