#include "listprices.h"

#include <QSet>

QVector<ListPrice> readListPrices(const Database& db, const QString& list)
{
    QVector<ListPrice> prices;
    Rows r = db.select(JetQuery("SELECT p.idArticolo, a.Descrizione, p.Prezzo, p.PrezzoEuro FROM ListiniPrezzi p "
                                "LEFT JOIN Articoli a ON a.Codice = p.idArticolo WHERE p.idListino = ")
                       << Jet::text(list) << " ORDER BY p.idArticolo");
    while (r.next())
        prices.append({r.value(0).toString(), r.value(1).toString(), r.value(2).toDouble(), r.value(3).toDouble()});
    return prices;
}

std::optional<ListPriceRefusal> checkListPrices(const Database& db, const QVector<ListPrice>& prices)
{
    QSet<QString> seen;
    for (int i = 0; i < prices.size(); ++i) {
        const QString code = prices[i].article.trimmed();
        if (code.isEmpty())
            continue;
        Rows known = db.select(JetQuery("SELECT Codice FROM Articoli WHERE Codice = ") << Jet::text(code));
        if (!known.next())
            return ListPriceRefusal{i, QStringLiteral("Riga %1: articolo sconosciuto: %2").arg(i + 1).arg(code)};
        // Codes are one code whatever their case, as the archive's key compares them.
        if (seen.contains(code.toCaseFolded()))
            return ListPriceRefusal{i, QStringLiteral("Riga %1: l'articolo %2 è già nel listino").arg(i + 1).arg(code)};
        seen.insert(code.toCaseFolded());
    }
    return std::nullopt;
}

void writeListPrices(const Database& db, const QString& list, const QVector<ListPrice>& prices)
{
    deleteListPrices(db, list);
    for (const ListPrice& p : prices)
        if (!p.article.trimmed().isEmpty())
            db.execute(JetQuery("INSERT INTO ListiniPrezzi (idListino, idArticolo, Prezzo, PrezzoEuro) VALUES (")
                       << Jet::text(list) << ", " << Jet::text(p.article.trimmed()) << ", " << Jet::number(p.priceLire)
                       << ", " << Jet::number(p.priceEuro) << ")");
}

void deleteListPrices(const Database& db, const QString& list)
{
    db.execute(JetQuery("DELETE FROM ListiniPrezzi WHERE idListino = ") << Jet::text(list));
}
