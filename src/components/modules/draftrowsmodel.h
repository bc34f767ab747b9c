#pragma once
#include "common/database.h"
#include "documents/documentamounts.h"

#include <QAbstractTableModel>

// The rows of the document being written, typed like a spreadsheet: an article code typed in a
// row fills its description, unit, VAT code, warehouse and price; the amounts follow every change.
// The rows live in the draft the editor holds.
class DraftRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Article, Description, Unit, Quantity, Price, Discount, VatCode, Amount, ColumnCount };

    DraftRowsModel(Database db, Books books, QObject* parent = nullptr);

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
    DocumentDraft* m_draft = nullptr;
    DocumentAmounts m_totals;
};
