#include "pricelistprices.h"
#include "components/basecomponent.h"
#include "components/reportfailures.h"
#include "common/typednumber.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The look-up of the articles (lookups.cpp).
constexpr qint16 ArticlesLookup = 25;

const QLocale& italian()
{
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

} // namespace

ListPricesModel::ListPricesModel(BaseComponent* base, QObject* parent) : TypedRowsModel(parent), m_base(base) {}

void ListPricesModel::setPrices(QVector<ListPrice> prices)
{
    beginResetModel();
    m_prices = std::move(prices);
    endResetModel();
}

int ListPricesModel::decimals(int column) const
{
    return std::clamp(int(column == PriceLire ? m_base->BaseCurrencyDecimals : m_base->EuroDecimals), 0, 3);
}

int ListPricesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_prices.size()); }

int ListPricesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ListPricesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headings[] = {"Articolo", "Descrizione", "Prezzo Lire", "Prezzo Euro"};
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QString::fromUtf8(headings[section]);
}

Qt::ItemFlags ListPricesModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = TypedRowsModel::flags(index);
    return m_editable && index.isValid() && index.column() != Description ? flags | Qt::ItemIsEditable : flags;
}

QVariant ListPricesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return isNumberColumn(index.column()) ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const ListPrice& p = m_prices[index.row()];
    switch (index.column()) {
    case Article: return p.article;
    case Description: return p.description;
    case PriceLire: return p.article.isEmpty() ? QString() : italian().toString(p.priceLire, 'f', decimals(PriceLire));
    case PriceEuro: return p.article.isEmpty() ? QString() : italian().toString(p.priceEuro, 'f', decimals(PriceEuro));
    }
    return {};
}

bool ListPricesModel::setArticle(ListPrice& price, const QString& code)
{
    bool known = false;
    reportFailures(m_base->AppTitle, [&] {
        Rows a = m_base->dataArchive().select(
            JetQuery("SELECT Codice, Descrizione, PrezzoVen, PrezzoVenEuro FROM Articoli WHERE Codice = ") << Jet::text(code));
        if (!a.next())
            return;
        known = true;
        const bool priced = price.priceLire != 0 || price.priceEuro != 0;
        price = {a.value(0).toString(), a.value(1).toString(), priced ? price.priceLire : a.value(2).toDouble(),
                 priced ? price.priceEuro : a.value(3).toDouble()};
    });
    return known;
}

bool ListPricesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_editable || role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    // A cell left as shown changes nothing: a price typed back would refill the other currency.
    if (value.typeId() == QMetaType::QString && value.toString() == data(index, Qt::EditRole).toString())
        return false;
    ListPrice& p = m_prices[index.row()];
    const QString text = value.toString().trimmed();
    if (index.column() == Article) {
        if (text.compare(p.article, Qt::CaseInsensitive) == 0)
            return false;
        if (text.isEmpty()) {
            p = ListPrice{};
        } else if (!setArticle(p, text)) {
            Platform::instance().refuse(QStringLiteral("Articolo sconosciuto: ") + text, m_base->AppTitle);
            return false;
        }
    } else if (isNumberColumn(index.column())) {
        const std::optional<double> typed = readTypedNumber(text, decimals(index.column()));
        if (!typed) {
            Platform::instance().refuse(QStringLiteral("Valore non valido: ") + text, m_base->AppTitle);
            return false;
        }
        // The other currency follows at the company's rate, rounded to its decimals.
        const bool lire = index.column() == PriceLire;
        (lire ? p.priceLire : p.priceEuro) = *typed;
        if (m_base->EuroRate > 0)
            (lire ? p.priceEuro : p.priceLire) =
                convertAmount(*typed, lire ? 1.0 / m_base->EuroRate : m_base->EuroRate, decimals(lire ? PriceEuro : PriceLire));
    } else {
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void ListPricesModel::insertRowAt(int row)
{
    if (!m_editable)
        return;
    row = std::clamp(row, 0, int(m_prices.size()));
    beginInsertRows({}, row, row);
    m_prices.insert(row, ListPrice{});
    endInsertRows();
}

void ListPricesModel::removeRowAt(int row)
{
    if (!m_editable || row < 0 || row >= m_prices.size())
        return;
    beginRemoveRows({}, row, row);
    m_prices.removeAt(row);
    endRemoveRows();
}

PriceListPrices::PriceListPrices(BaseComponent* base, QWidget* parent)
    : QWidget(parent), m_base(base), m_model(new ListPricesModel(base, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new TypedRowsGrid(
        m_model, [this](QWidget* editor, int column) { m_base->useDecimalKeys(editor, m_model->decimals(column)); }, this);
    m_grid->setObjectName(QStringLiteral("TDBGPrezzi"));
    m_grid->setAccessibleName(QStringLiteral("Prezzi del Listino"));
    m_grid->horizontalHeader()->setSectionResizeMode(ListPricesModel::Description, QHeaderView::Stretch);
    auto* label = new QLabel(QStringLiteral("Prezzi del Listino"), this);
    label->setBuddy(m_grid);
    layout->addWidget(label);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &TypedRowsGrid::lookupRequested, this, &PriceListPrices::pickArticle);
}

void PriceListPrices::showFor(const QString& key)
{
    QVector<ListPrice> prices;
    if (!key.isEmpty())
        reportFailures(m_base->AppTitle, [&] { prices = readListPrices(m_base->dataArchive(), key); });
    m_model->setPrices(prices);
}

void PriceListPrices::setEditing(bool editing)
{
    m_model->setEditable(editing);
}

QString PriceListPrices::refusal(const Database& db)
{
    m_grid->commitTyping();
    const std::optional<ListPriceRefusal> refused = checkListPrices(db, m_model->prices());
    if (!refused)
        return {};
    m_grid->setFocus();
    m_grid->setCurrentIndex(m_model->index(refused->row, ListPricesModel::Article));
    return refused->message;
}

void PriceListPrices::write(const Database& db, const QString& key)
{
    writeListPrices(db, key, m_model->prices());
}

void PriceListPrices::remove(const Database& db, const QString& key)
{
    deleteListPrices(db, key);
}

void PriceListPrices::pickArticle(const QModelIndex& index)
{
    if (index.column() != ListPricesModel::Article || !(m_model->flags(index) & Qt::ItemIsEditable))
        return;
    if (const QString failed = m_base->ShowLookup(ArticlesLookup, JetQuery()); !failed.isEmpty()) {
        Platform::instance().refuse(failed, m_base->AppTitle);
        return;
    }
    if (!m_base->DialogResult.isEmpty())
        m_model->setData(index, m_base->DialogResult, Qt::EditRole);
}
