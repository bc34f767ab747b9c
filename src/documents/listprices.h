#pragma once
#include "common/database.h"

#include <QString>
#include <QVector>
#include <optional>

// The prices of a price list, one per article (ListiniPrezzi), in lire and in euro as the
// articles keep theirs. A document's row takes its list's price of the article typed; the
// Listini screen edits them with the list, in the list's own transaction.

struct ListPrice
{
    QString article{};       // Articoli.Codice; empty: a row left blank, not saved
    QString description{};   // the article's, shown beside its code
    double priceLire = 0;
    double priceEuro = 0;
};

// The list's prices in the order of their articles' codes.
QVector<ListPrice> readListPrices(const Database& db, const QString& list);

// Why the prices cannot be saved (an article unknown, or listed twice) and the row (from 0) the
// cursor goes back to; nothing when they can.
struct ListPriceRefusal
{
    int row;
    QString message;
};
std::optional<ListPriceRefusal> checkListPrices(const Database& db, const QVector<ListPrice>& prices);

// Replaces the list's prices with these, inside the caller's transaction (the list's save).
void writeListPrices(const Database& db, const QString& list, const QVector<ListPrice>& prices);
// Removes the list's prices, with the list.
void deleteListPrices(const Database& db, const QString& list);
