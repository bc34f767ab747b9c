#include "numbering.h"
#include "documentdraft.h"

#include <QHash>
#include <QSqlQuery>

namespace {

// How a numerator created here names itself on the numerators screen.
QString numeratorDescription(const QString& kind, const QString& code)
{
    static const QHash<QString, QString> documents = {
        {QStringLiteral("FATVE"), QStringLiteral("Fatture di vendita")},
        {QStringLiteral("FATAC"), QStringLiteral("Fatture di acquisto")},
        {QStringLiteral("FATNC"), QStringLiteral("Note di credito")},
        {QStringLiteral("DDT"), QStringLiteral("Documenti di trasporto")},
        {QStringLiteral("PREV"), QStringLiteral("Preventivi")},
        {QStringLiteral("ORDVE"), QStringLiteral("Ordini da clienti")},
        {QStringLiteral("ORDAC"), QStringLiteral("Ordini a fornitori")},
        {QStringLiteral("RESO"), QStringLiteral("Bolle di reso")},
        {QStringLiteral("FATPA"), QStringLiteral("Fatture elettroniche (progressivo di invio)")},
        {QStringLiteral("FATPRO"), QStringLiteral("Fatture proforma")},
    };
    if (kind == QLatin1String("*"))
        return documents.value(code.toUpper(), QStringLiteral("Documenti ") + code);
    if (kind.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Movimenti di magazzino causale ") + code;
    return QStringLiteral("Documenti causale ") + code;
}

qint32 highestUsedNumber(const Database& db, const QString& kind, const QString& code, const QString& fiscalYear,
                         const QString& table)
{
    JetQuery q;
    // Pro-formas are kept among the sales invoices under their number made negative.
    const bool proForma = kind == QLatin1String("*") && code == ProFormaNumerator;
    if (proForma)
        q << "SELECT Max(-NumInt) as Numero FROM ";
    else
        q << "SELECT Max(NumInt) as Numero FROM ";
    q << Jet::identifier(table) << " WHERE idEsercizio=" << Jet::text(fiscalYear);
    if (proForma)
        q << " AND NumInt < 0";
    // Numerators of a reason count only the documents of that reason.
    if (kind != QLatin1String("*"))
        q << " AND idCausaleDoc=" << Jet::text(code);
    Rows highest = db.select(q);
    return highest.next() ? highest.value(0).toInt() : 0;
}

} // namespace

qint32 takeNextNumber(const Database& db, const QString& kind, const QString& code, const QString& fiscalYear,
                      const QString& table)
{
    JetQuery key;
    key << "idTipo=" << Jet::text(kind) << " AND idCodice=" << Jet::text(code) << " AND idEsercizio="
        << Jet::text(fiscalYear);

    bool exists = false;
    qint32 last = 0;
    QString controlled = table;
    {
        Rows row = db.select(JetQuery("SELECT Progressivo, TabellaContr FROM Numeratori WHERE ") << key);
        if (row.next()) {
            exists = true;
            last = row.value(0).toInt();
            if (controlled.isEmpty())
                controlled = row.value(1).toString();
        }
    }
    if (!controlled.isEmpty())
        last = std::max(last, highestUsedNumber(db, kind, code, fiscalYear, controlled));
    const qint32 next = last + 1;

    if (exists) {
        db.execute(JetQuery("UPDATE Numeratori SET Progressivo=") << Jet::number(next) << " WHERE " << key);
    } else {
        db.execute(JetQuery("INSERT INTO Numeratori (idTipo, idCodice, idEsercizio, Progressivo, [Desc], TabellaContr) "
                            "VALUES (")
                   << Jet::text(kind) << ", " << Jet::text(code) << ", " << Jet::text(fiscalYear) << ", "
                   << Jet::number(next) << ", " << Jet::text(numeratorDescription(kind, code)) << ", "
                   << Jet::text(controlled) << ")");
    }
    return next;
}
