#pragma once
#include "money.h"

#include <QHash>
#include <QVector>
#include <optional>

// Owns the arithmetic of a document: the amount of each row, the VAT summary per code and per
// rate, and the totals, all computed from the rows and the VAT table, never read from a header.
// Rounding follows money.h's one rule (halves away from zero, to the cent or the lira).
// A document is priced in its company's books currency; the other currency's figures are
// conversions at the euro rate: each row's amount and each VAT code's taxable amount are
// converted, and the tax of each code is the code's rate on that code's summed taxable amount,
// in each currency. Totals are the sums of the codes' figures, so that the summary and the
// totals always agree.

// One code of the VAT table.
struct VatCode
{
    QString code, description, nature;
    Decimal rate;
};

// The currency a company keeps its books in, and the euro rate (lire for one euro).
struct Books
{
    Currency currency = Currency::Euro;
    Decimal lirePerEuro = FixedLirePerEuro;
    Currency other() const { return currency == Currency::Euro ? Currency::Lira : Currency::Euro; }
};

// The books of a company record: ValutaBase "LIT" or "ITL" are lire; CambioEuro when set.
Books booksOf(const QString& baseCurrency, double euroRate);

// One amount in euro and in lire.
struct Amounts
{
    Money euro{0, Currency::Euro};
    Money lire{0, Currency::Lira};
    Money in(Currency c) const { return c == Currency::Euro ? euro : lire; }
    Money& in(Currency c) { return c == Currency::Euro ? euro : lire; }
    Amounts& operator+=(const Amounts& o);
    friend bool operator==(const Amounts&, const Amounts&) = default;
};

// A row as the archive or the editor holds it. With a quantity and a unit price it is priced
// (quantity × price less the discount); otherwise it is worth its given amount.
struct PricedRow
{
    QString vatCode;
    std::optional<Decimal> quantity;
    std::optional<Decimal> unitPrice;   // in the books' currency
    Decimal discountPercent;            // 0..100, kept to the hundredth
    Money givenAmount;                  // in the books' currency, for rows that are not priced
    qint64 repeats = 1;                 // how many rows alike it stands for in the sums
    bool priced() const { return quantity && unitPrice; }
    friend bool operator==(const PricedRow&, const PricedRow&) = default;
};
size_t qHash(const PricedRow& row, size_t seed = 0);

// Rows gathered as they are read into groups of rows alike, each group one PricedRow standing for
// as many rows: computeDocumentAmounts sums the groups as it would the rows one by one, so that
// a document of many rows is priced at the cost of its few groups.
class PricedRowGroups
{
public:
    void add(const PricedRow& row);   // one row as read (repeats 1)
    const QVector<PricedRow>& groups() const { return m_groups; }

private:
    QVector<PricedRow> m_groups;
    QHash<PricedRow, qsizetype> m_at;   // a group's first row, and its place in m_groups
};

struct RowAmounts
{
    Amounts amount;
    // The euro unit price with the fewest places (two at least, eight at most) with which
    // quantity × price less the discount gives the euro amount: what the page and the electronic
    // invoice show. A row that is not priced shows its amount.
    Decimal unitPriceEuro;
    bool priced = false;
};

struct VatTotals
{
    QString code;            // the code as the rows name it
    QString description, nature;
    Decimal rate;
    bool known = true;       // the code is in the VAT table
    Amounts taxable, tax;
    QVector<int> rows;       // indexes of the rows it sums
};

struct DocumentAmounts
{
    QVector<RowAmounts> rows;     // as the rows given
    QVector<VatTotals> byCode;    // by code in capitals, in code order
    Amounts taxable, tax, total;
};

// The amounts of a document from its rows and the VAT table (keyed by code in capitals).
DocumentAmounts computeDocumentAmounts(const QVector<PricedRow>& rows, const QHash<QString, VatCode>& vatTable,
                                       const Books& books);
