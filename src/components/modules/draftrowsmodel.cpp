#include "draftrowsmodel.h"
#include "common/databaseerror.h"
#include "common/typednumber.h"

#include <QLocale>
#include <cmath>

namespace {

const QLocale& italian()
{
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

// A number as an Italian types it ("1.234,56", "1234,56", "1234"); nothing when it cannot be read.
std::optional<double> typedNumber(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int)
        return value.toDouble();
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return 0.0;
    return readTypedNumber(text);
}

} // namespace

const QVector<DraftRowsModel::Column> DraftRowsModel::DocumentColumns = {Article, Description, Unit,    Quantity,
                                                                          Price,   Discount,    VatCode, Amount};
const QVector<DraftRowsModel::Column> DraftRowsModel::MovementColumns = {Article, Description, Deposit, Quantity, Price};

DraftRowsModel::DraftRowsModel(Database db, Books books, QVector<Column> columns, QObject* parent)
    : TypedRowsModel(parent), m_db(std::move(db)), m_books(books), m_columns(std::move(columns))
{
    if (m_books.currency == Currency::Lira)
        m_columns.insert(m_columns.indexOf(Price), PriceLire);
}

int DraftRowsModel::lastTypedColumn() const
{
    const int last = columnCount() - 1;
    return columnAt(last) == Amount ? last - 1 : last;
}

bool DraftRowsModel::isNumberColumn(int section) const
{
    const Column column = columnAt(section);
    return column == Quantity || column == Price || column == PriceLire || column == Discount;
}

void DraftRowsModel::setDraft(DocumentDraft* draft)
{
    beginResetModel();
    m_draft = draft;
    endResetModel();
    recompute();
}

int DraftRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_draft ? 0 : int(m_draft->rows.size());
}

int DraftRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DraftRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headings[] = {"Articolo", "Descrizione", "U.M.", "Quantità", "Prezzo Euro",
                                           "Sconto %", "I.V.A.", "Importo Euro", "Deposito", "Prezzo Lire"};
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QString::fromUtf8(headings[columnAt(section)]);
}

Qt::ItemFlags DraftRowsModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = TypedRowsModel::flags(index);
    // A movement's description is its article's: it keeps none of its own.
    const bool shown = !index.isValid() || columnAt(index.column()) == Amount
                       || (columnAt(index.column()) == Description && m_draft && m_draft->kindCode == StockMovementKind);
    return shown ? flags : flags | Qt::ItemIsEditable;
}

QVariant DraftRowsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const DraftRow& row = m_draft->rows[index.row()];
    const Column column = columnAt(index.column());
    const bool number = column >= Quantity && column != VatCode && column != Deposit;
    if (role == Qt::TextAlignmentRole)
        return number ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // A row of text alone shows no amounts.
    if (number && row.isText())
        return QString();
    switch (column) {
    case Article: return row.article;
    case Description: return row.description;
    case Unit: return row.unit;
    case Quantity: return italian().toString(row.quantity, 'f', row.quantity == std::floor(row.quantity) ? 0 : 3);
    case Price: return italian().toString(row.priceEuro, 'f', 2);
    case PriceLire: return italian().toString(row.priceLire, 'f', 0);
    case Discount: return italian().toString(row.discount, 'f', row.discount == std::floor(row.discount) ? 0 : 2);
    case VatCode: return row.vatCode;
    case Deposit: return row.deposit;
    case Amount:
        return index.row() < m_totals.rows.size() ? italian().toString(m_totals.rows[index.row()].amount.euro.toDouble(), 'f', 2)
                                                  : QString();
    }
    return {};
}

bool DraftRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    // A cell left as shown changes nothing: a price shown to the cent, typed back, would
    // otherwise replace the lire price it was shown from.
    if (value.typeId() == QMetaType::QString && value.toString() == data(index, Qt::EditRole).toString())
        return false;
    DraftRow& row = m_draft->rows[index.row()];
    const QString text = value.toString().trimmed();
    const Column column = columnAt(index.column());
    try {
        switch (column) {
        case Article: {
            if (text.compare(row.article, Qt::CaseInsensitive) == 0)
                return false;
            if (text.isEmpty()) {
                row = DraftRow{.description = row.description};
                break;
            }
            std::optional<DraftRow> filled = articleRow(m_db, *m_draft, text);
            if (!filled) {
                emit refused(QStringLiteral("Articolo sconosciuto: ") + text, index);
                return false;
            }
            filled->quantity = row.quantity ? row.quantity : 1;
            row = *filled;
            break;
        }
        case Description: row.description = value.toString(); break;
        case Unit: row.unit = text; break;
        case VatCode:
        case Deposit: {
            const bool vat = column == VatCode;
            Rows known = m_db.select(JetQuery("SELECT Codice FROM ") << Jet::identifier(vat ? "IVA" : "Depositi")
                                                                      << " WHERE Codice = " << Jet::text(text));
            if (!text.isEmpty() && !known.next()) {
                emit refused((vat ? QStringLiteral("Codice I.V.A. sconosciuto: ") : QStringLiteral("Deposito sconosciuto: "))
                                 + text,
                             index);
                return false;
            }
            (vat ? row.vatCode : row.deposit) = text;
            break;
        }
        case Quantity:
        case Price:
        case PriceLire:
        case Discount: {
            const std::optional<double> n = typedNumber(value);
            if (!n) {
                emit refused(QStringLiteral("Valore non valido per %1: %2")
                                 .arg(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString(), text),
                             index);
                return false;
            }
            if (column == Quantity)
                row.quantity = *n;
            else if (column == Discount)
                row.discount = *n;
            else if (column == PriceLire) {
                row.priceLire = std::round(*n);
                row.priceEuro = convertAmount(row.priceLire, 1.0 / m_books.lirePerEuro.toDouble(), 2);
            } else {
                row.priceEuro = *n;
                row.priceLire = convertAmount(*n, m_books.lirePerEuro.toDouble(), 0);
            }
            break;
        }
        default: return false;
        }
    } catch (const DatabaseError& e) {
        emit refused(e.detail(), index);
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    recompute();
    return true;
}

void DraftRowsModel::insertRowAt(int row)
{
    if (!m_draft)
        return;
    row = std::clamp(row, 0, int(m_draft->rows.size()));
    beginInsertRows({}, row, row);
    DraftRow fresh;
    fresh.discount = m_draft->header.value(QStringLiteral("PercSconto")).toDouble();
    m_draft->rows.insert(row, fresh);
    endInsertRows();
    recompute();
}

void DraftRowsModel::removeRowAt(int row)
{
    if (!m_draft || row < 0 || row >= m_draft->rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_draft->rows.removeAt(row);
    endRemoveRows();
    recompute();
}

void DraftRowsModel::moveRowBy(int row, int step)
{
    const int to = row + step;
    if (!m_draft || row < 0 || row >= m_draft->rows.size() || to < 0 || to >= m_draft->rows.size())
        return;
    // Qt names the destination as the row the moved one goes before.
    beginMoveRows({}, row, row, {}, step > 0 ? to + 1 : to);
    m_draft->rows.move(row, to);
    endMoveRows();
    recompute();
}

void DraftRowsModel::recompute()
{
    try {
        m_totals = m_draft ? draftAmounts(readVatTable(m_db), *m_draft, m_books) : DocumentAmounts{};
    } catch (const DatabaseError&) {
        // The rates could not be read this time: the amounts shown stay until the next change.
        return;
    }
    if (const int amount = sectionOf(Amount); amount >= 0 && rowCount() > 0)
        emit dataChanged(index(0, amount), index(rowCount() - 1, amount));
    emit amountsChanged();
}
