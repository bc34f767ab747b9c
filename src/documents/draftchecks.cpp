#include "draftchecks.h"
#include "documentkinds.h"
#include "stockmovement.h"
#include "common/jetdate.h"

#include <QSet>

namespace {

bool known(const Database& db, const char* table, const QString& code)
{
    JetQuery q("SELECT Codice FROM ");
    q << Jet::identifier(QString::fromLatin1(table)) << " WHERE Codice = " << Jet::text(code);
    return db.select(q).next();
}

// What a draft lacks, listed in one message; the cursor goes to the first.
class Missing
{
public:
    void check(bool present, const QString& field, const QString& what)
    {
        if (present)
            return;
        m_what << what;
        if (m_field.isEmpty())
            m_field = field;
    }
    std::optional<DraftRefusal> refusal(const QString& notSaved) const
    {
        if (m_what.isEmpty())
            return std::nullopt;
        return DraftRefusal{m_field, notSaved + QStringLiteral(" Manca:\r- ") + m_what.join(QStringLiteral("\r- "))};
    }

private:
    QStringList m_what;
    QString m_field;
};

qint64 counterpartId(const Database& db, bool supplier, const QString& code)
{
    JetQuery q("SELECT id FROM ");
    q << Jet::identifier(supplier ? "Fornitori" : "Clienti") << " WHERE Codice = " << Jet::text(code);
    Rows found = db.select(q);
    return found.next() ? found.value(0).toLongLong() : 0;
}

} // namespace

std::optional<DraftRefusal> fiscalYearRefusal(const Database& db, const QDate& date, const QString& fiscalYear)
{
    Rows year = db.select(JetQuery("SELECT DTIn, DTFi FROM Esercizio WHERE Codice = ") << Jet::text(fiscalYear));
    if (!year.next())
        return std::nullopt;
    const QDate first = storedDate(year.value(0)), last = storedDate(year.value(1));
    if ((first.isValid() && date < first) || (last.isValid() && date > last))
        return DraftRefusal{QStringLiteral("Data"), QStringLiteral("La data %1 è fuori dall'esercizio %2 (dal %3 al %4).")
                                                        .arg(typedDate(date), fiscalYear, typedDate(first), typedDate(last))};
    return std::nullopt;
}

std::optional<DraftRefusal> checkDraft(const Database& db, DocumentDraft& draft, const QString& fiscalYear)
{
    const DocumentKind* kind = documentKind(draft.kindCode);
    const bool supplier = kind && kind->supplierCounterpart;
    const QString party = supplier ? QStringLiteral("Fornitore") : QStringLiteral("Cliente");

    Missing missing;
    missing.check(draft.date.isValid(), QStringLiteral("Data"), QStringLiteral("la Data"));
    missing.check(!draft.counterpartCode.trimmed().isEmpty(), party,
                  supplier ? QStringLiteral("il Fornitore") : QStringLiteral("il Cliente"));
    missing.check(!draft.rows.isEmpty(), QStringLiteral("Righe"), QStringLiteral("almeno una riga"));
    if (auto refusal = missing.refusal(QStringLiteral("Documento non salvato.")))
        return refusal;

    if (auto refusal = fiscalYearRefusal(db, draft.date, fiscalYear))
        return refusal;
    draft.counterpartId = counterpartId(db, supplier, draft.counterpartCode.trimmed());
    if (!draft.counterpartId)
        return DraftRefusal{party, QStringLiteral("%1 sconosciuto: %2").arg(party, draft.counterpartCode.trimmed())};
    if (!draft.reason.isEmpty() && !known(db, "causalidoc", draft.reason))
        return DraftRefusal{QStringLiteral("Causale"), QStringLiteral("Causale sconosciuta: ") + draft.reason};
    if (!draft.movementReason.isEmpty() && !known(db, "CauMag", draft.movementReason))
        return DraftRefusal{QStringLiteral("Causale Magazzino"),
                            QStringLiteral("Causale di magazzino sconosciuta: ") + draft.movementReason};
    // Each code is looked for once, however many rows carry it.
    QSet<QString> articles, vatCodes;
    for (int i = 0; i < draft.rows.size(); ++i) {
        const DraftRow& row = draft.rows[i];
        const QString at = QStringLiteral("Riga %1 ").arg(i + 1);
        if (!row.isText() && !articles.contains(row.article) && !known(db, "Articoli", row.article))
            return DraftRefusal{at + QStringLiteral("Articolo"),
                                at + QStringLiteral("- Articolo sconosciuto: ") + row.article};
        articles.insert(row.article);
        if (!row.vatCode.isEmpty() && !vatCodes.contains(row.vatCode) && !known(db, "IVA", row.vatCode))
            return DraftRefusal{at + QStringLiteral("I.V.A."),
                                at + QStringLiteral("- Codice I.V.A. sconosciuto: ") + row.vatCode};
        vatCodes.insert(row.vatCode);
        if (row.isText() && row.description.trimmed().isEmpty())
            return DraftRefusal{at + QStringLiteral("Articolo"),
                                at + QStringLiteral("- Indicare un articolo o una descrizione.")};
    }
    return std::nullopt;
}

std::optional<DraftRefusal> checkMovement(const Database& db, const DocumentDraft& draft, const QString& fiscalYear)
{
    Missing missing;
    missing.check(draft.date.isValid(), QStringLiteral("Data"), QStringLiteral("la Data"));
    missing.check(!draft.movementReason.trimmed().isEmpty(), QStringLiteral("Causale"), QStringLiteral("la Causale"));
    missing.check(!draft.rows.isEmpty(), QStringLiteral("Righe"), QStringLiteral("almeno una riga"));
    if (auto refusal = missing.refusal(QStringLiteral("Movimento non salvato.")))
        return refusal;
    if (auto refusal = fiscalYearRefusal(db, draft.date, fiscalYear))
        return refusal;
    const std::optional<MovementReason> reason = readMovementReason(db, draft.movementReason.trimmed());
    if (!reason)
        return DraftRefusal{QStringLiteral("Causale"),
                            QStringLiteral("Causale di magazzino sconosciuta: ") + draft.movementReason.trimmed()};
    if (isOpeningStock(draft) ? reason->sign != QLatin1String("+")
                              : reason->sign != QLatin1String("+") && reason->sign != QLatin1String("-"))
        return DraftRefusal{QStringLiteral("Causale"),
                            isOpeningStock(draft)
                                ? QStringLiteral("Causale con Segno Operazione Errata: l'apertura delle giacenze è un carico (+).")
                                : QStringLiteral("Causale con Segno Operazione Errata: il movimento carica (+) o scarica (-).")};
    QSet<QString> articles, deposits;
    for (int i = 0; i < draft.rows.size(); ++i) {
        const DraftRow& row = draft.rows[i];
        const QString at = QStringLiteral("Riga %1 ").arg(i + 1);
        const auto refuse = [&](const QString& field, const QString& why) {
            return DraftRefusal{at + field, at + QStringLiteral("- ") + why};
        };
        if (row.article.isEmpty())
            return refuse(QStringLiteral("Articolo"), QStringLiteral("Indicare l'articolo."));
        if (!articles.contains(row.article) && !known(db, "Articoli", row.article))
            return refuse(QStringLiteral("Articolo"), QStringLiteral("Articolo sconosciuto: ") + row.article);
        articles.insert(row.article);
        if (row.deposit.isEmpty())
            return refuse(QStringLiteral("Deposito"), QStringLiteral("Indicare il deposito."));
        if (!deposits.contains(row.deposit) && !known(db, "Depositi", row.deposit))
            return refuse(QStringLiteral("Deposito"), QStringLiteral("Deposito sconosciuto: ") + row.deposit);
        deposits.insert(row.deposit);
        if (!(row.quantity > 0))
            return refuse(QStringLiteral("Quantità"), QStringLiteral("Indicare una quantità maggiore di zero."));
    }
    return std::nullopt;
}
