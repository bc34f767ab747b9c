#include "writtenrowcount.h"
#include "documentamounts.h"

#include <QHash>
#include <QSqlDriver>
#include <bit>
#include <sqlite3.h>

namespace {

constexpr size_t Cells = std::tuple_size_v<PricedCells>;

// The priced cells of one row as SQLite holds them: each cell's storage class and its number
// (a text cell: the index of its text among those seen). Rows alike have equal keys, and a key
// is made without allocating anything.
struct CellsKey
{
    std::array<qint64, Cells> values{};
    std::array<int, Cells> types{};
    friend bool operator==(const CellsKey&, const CellsKey&) = default;
};
size_t qHash(const CellsKey& key, size_t seed)
{
    return qHashBits(&key, sizeof key, seed);
}

} // namespace

struct WrittenRowCount::Counts
{
    QHash<CellsKey, qint64> counts;
    QVector<QByteArray> texts;

    void add(sqlite3_value** cells)
    {
        CellsKey key;
        for (size_t i = 0; i < key.types.size(); ++i) {
            sqlite3_value* v = cells[i];
            key.types[i] = sqlite3_value_type(v);
            switch (key.types[i]) {
            case SQLITE_NULL: break;
            case SQLITE_INTEGER: key.values[i] = sqlite3_value_int64(v); break;
            case SQLITE_FLOAT: key.values[i] = std::bit_cast<qint64>(sqlite3_value_double(v)); break;
            default: key.values[i] = textIndex(QByteArrayView(sqlite3_value_text(v), sqlite3_value_bytes(v)));
            }
        }
        ++counts[key];
    }
    qint64 textIndex(QByteArrayView text)
    {
        for (qsizetype i = texts.size() - 1; i >= 0; --i)
            if (texts[i] == text)
                return i;
        texts << text.toByteArray();
        return texts.size() - 1;
    }
    QVector<PricedRow> groups(Currency books) const
    {
        QVector<PricedRow> groups;
        for (const auto& [key, count] : counts.asKeyValueRange()) {
            PricedCells cells;
            for (size_t i = 0; i < cells.size(); ++i)
                switch (key.types[i]) {
                case SQLITE_NULL: break;
                case SQLITE_INTEGER: cells[i] = qlonglong(key.values[i]); break;
                case SQLITE_FLOAT: cells[i] = std::bit_cast<double>(key.values[i]); break;
                default: cells[i] = QString::fromUtf8(texts[key.values[i]]);
                }
            groups << pricedRowOf(cells, books);
            groups.last().repeats = count;
        }
        return groups;
    }
};

namespace {

thread_local WrittenRowCount::Counts* counting = nullptr;

// written_row(riga, the priced cells...): gives riga back as it is, and counts the row among
// those of the count under way.
void writtenRow(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (counting)
        counting->add(argv + 1);
    sqlite3_result_value(context, argv[0]);
}

} // namespace

WrittenRowCount::WrittenRowCount(const Database& sqlite) : m_counts(std::make_unique<Counts>())
{
    sqlite3* handle = *static_cast<sqlite3**>(sqlite.connection().driver()->handle().data());
    // Not deterministic: called for every row. Defined again while a statement of the
    // connection runs, SQLite refuses, and the function already there is this one.
    sqlite3_create_function_v2(handle, "written_row", int(Cells) + 1, SQLITE_UTF8,
                               nullptr, writtenRow, nullptr, nullptr, nullptr);
    counting = m_counts.get();
}

WrittenRowCount::~WrittenRowCount()
{
    counting = nullptr;
}

QVector<PricedRow> WrittenRowCount::groups(Currency books) const
{
    return m_counts->groups(books);
}
