#pragma once
#include "recordrows.h"
#include "components/typedrowsgrid.h"
#include "documents/listprices.h"

#include <QWidget>

class BaseComponent;

// The prices of the price list the Listini screen shows: article, its description, the price in
// lire and in euro. Typed as a document's rows are (F4 on the article opens the articles' list);
// an article typed brings its sale price, and a price typed in one currency fills the other at
// the company's rate.
class ListPricesModel : public TypedRowsModel
{
    Q_OBJECT
public:
    enum Column { Article, Description, PriceLire, PriceEuro, ColumnCount };

    explicit ListPricesModel(BaseComponent* base, QObject* parent = nullptr);
    void setPrices(QVector<ListPrice> prices);
    const QVector<ListPrice>& prices() const { return m_prices; }
    void setEditable(bool editable) { m_editable = editable; }
    int decimals(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    int lastTypedColumn() const override { return PriceEuro; }
    bool isNumberColumn(int column) const override { return column == PriceLire || column == PriceEuro; }
    void insertRowAt(int row) override;
    void removeRowAt(int row) override;

private:
    bool setArticle(ListPrice& price, const QString& code);

    BaseComponent* m_base;
    QVector<ListPrice> m_prices;
    bool m_editable = false;
};

class PriceListPrices : public QWidget, public RecordRows
{
    Q_OBJECT
public:
    PriceListPrices(BaseComponent* base, QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showFor(const QString& key) override;
    void setEditing(bool editing) override;
    QString refusal(const Database& db) override;
    void write(const Database& db, const QString& key) override;
    void remove(const Database& db, const QString& key) override;

private:
    void pickArticle(const QModelIndex& index);

    BaseComponent* m_base;
    ListPricesModel* m_model;
    TypedRowsGrid* m_grid;
};
