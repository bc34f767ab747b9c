#include "draftchecks.h"
#include "documentkinds.h"
#include "common/jetdate.h"

#include <QSet>

namespace {

bool known(const Database& db, const char* table, const QString& code)
{
    JetQuery q("SELECT Codice FROM ");
    q << Jet::identifier(QString::fromLatin1(table)) << " WHERE Codice = " << Jet::text(code);
    return db.select(q).next();
}

qint64 counterpartId(const Database& db, bool supplier, const QString& code)
{
    JetQuery q("SELECT id FROM ");
    q << Jet::identifier(supplier ? "Fornitori" : "Clienti") << " WHERE Codice = " << Jet::text(code);
    Rows found = db.select(q);
    return found.next() ? found.value(0).toLongLong() : 0;
}

} // namespace

std::optional<DraftRefusal> checkDraft(const Database& db, DocumentDraft& draft, const QString& fiscalYear)
{
    const DocumentKind* kind = documentKind(draft.kindCode);
    const bool supplier = kind && kind->supplierCounterpart;
    const QString party = supplier ? QStringLiteral("Fornitore") : QStringLiteral("Cliente");

    QStringList missing;
    QString firstField;
    const auto lacks = [&](const QString& field, const QString& what) {
        missing << what;
        if (firstField.isEmpty())
            firstField = field;
    };
    if (!draft.date.isValid())
        lacks(QStringLiteral("Data"), QStringLiteral("la Data"));
    if (draft.counterpartCode.trimmed().isEmpty())
        lacks(party, supplier ? QStringLiteral("il Fornitore") : QStringLiteral("il Cliente"));
    if (draft.rows.isEmpty())
        lacks(QStringLiteral("Righe"), QStringLiteral("almeno una riga"));
    if (!missing.isEmpty())
        return DraftRefusal{firstField, QStringLiteral("Documento non salvato. Manca:\r- ") + missing.join(QStringLiteral("\r- "))};

    {
        Rows year = db.select(JetQuery("SELECT DTIn, DTFi FROM Esercizio WHERE Codice = ") << Jet::text(fiscalYear));
        if (year.next()) {
            const QDate first = storedDate(year.value(0)), last = storedDate(year.value(1));
            if ((first.isValid() && draft.date < first) || (last.isValid() && draft.date > last))
                return DraftRefusal{QStringLiteral("Data"),
                                    QStringLiteral("La data %1 è fuori dall'esercizio %2 (dal %3 al %4).")
                                        .arg(typedDate(draft.date), fiscalYear, typedDate(first), typedDate(last))};
        }
    }
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
            return DraftRefusal{at + QStringLiteral("Codice IVA"),
                                at + QStringLiteral("- Codice I.V.A. sconosciuto: ") + row.vatCode};
        vatCodes.insert(row.vatCode);
        if (row.isText() && row.description.trimmed().isEmpty())
            return DraftRefusal{at + QStringLiteral("Articolo"),
                                at + QStringLiteral("- Indicare un articolo o una descrizione.")};
    }
    return std::nullopt;
}
