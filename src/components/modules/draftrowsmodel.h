#pragma once
#include "common/database.h"
#include "documents/documentamounts.h"

#include <QAbstractTableModel>

// The rows of the document or movement being written, typed like a spreadsheet: an article code
// typed in a row fills its description, unit, VAT code, warehouse and price; the amounts follow
// every change. The rows live in the draft the editor holds; each editor shows its own columns.
class DraftRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Article, Description, Unit, Quantity, Price, Discount, VatCode, Amount, Deposit };
    // A document's rows, and a warehouse movement's (whose description is its article's).
    static const QVector<Column> DocumentColumns, MovementColumns;

    DraftRowsModel(Database db, Books books, QVector<Column> columns, QObject* parent = nullptr);
    // The column shown at a place, and the place of a column (-1: not shown).
    Column columnAt(int section) const { return m_columns.at(section); }
    int sectionOf(Column column) const { return int(m_columns.indexOf(column)); }
    // The place of the last column typed into: after it comes the next row.
    int lastTypedSection() const;

    // The draft whose rows are shown and edited (kept by the caller).
    void setDraft(DocumentDraft* draft);
    const DocumentAmounts& totals() const { return m_totals; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void insertRowAt(int row);
    void removeRowAt(int row);
    // Moves a row one place up (-1) or down (+1).
    void moveRowBy(int row, int step);

signals:
    // The amounts changed: totals and VAT summary are to be shown again.
    void amountsChanged();
    // A typed value was refused (an unknown article or VAT code): what to say, and where.
    void refused(const QString& message, const QModelIndex& where);

private:
    void recompute();

    Database m_db;
    Books m_books;
    QVector<Column> m_columns;
    DocumentDraft* m_draft = nullptr;
    DocumentAmounts m_totals;
};
