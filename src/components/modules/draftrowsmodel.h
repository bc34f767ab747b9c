#pragma once
#include "common/database.h"
#include "components/typedrowsgrid.h"
#include "documents/documentamounts.h"

// The rows of the document or movement being written, typed like a spreadsheet: an article code
// typed in a row fills its description, unit, VAT code, warehouse and price; the amounts follow
// every change. The rows live in the draft the editor holds; each editor shows its own columns.
class DraftRowsModel : public TypedRowsModel
{
    Q_OBJECT
public:
    enum Column { Article, Description, Unit, Quantity, Price, Discount, VatCode, Amount, Deposit, PriceLire };
    // A document's rows, and a warehouse movement's (whose description is its article's). A company
    // keeping its books in lire also types the lire price, before the euro one.
    static const QVector<Column> DocumentColumns, MovementColumns;

    DraftRowsModel(Database db, Books books, QVector<Column> columns, QObject* parent = nullptr);
    // The column shown at a place, and the place of a column (-1: not shown).
    Column columnAt(int section) const { return m_columns.at(section); }
    int sectionOf(Column column) const { return int(m_columns.indexOf(column)); }

    // The draft whose rows are shown and edited (kept by the caller).
    void setDraft(DocumentDraft* draft);
    const DocumentAmounts& totals() const { return m_totals; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    int lastTypedColumn() const override;
    bool isNumberColumn(int section) const override;
    void insertRowAt(int row) override;
    void removeRowAt(int row) override;
    void moveRowBy(int row, int step) override;

signals:
    // The amounts changed: totals and VAT summary are to be shown again.
    void amountsChanged();

private:
    void recompute();

    Database m_db;
    Books m_books;
    QVector<Column> m_columns;
    DocumentDraft* m_draft = nullptr;
    DocumentAmounts m_totals;
};
