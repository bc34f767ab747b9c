#include "jetarchivereader.h"

// glib first: mdbtools.h wraps its own include of glib in extern "C".
#include <glib.h>
#include <mdbtools.h>

#include <QFile>
#include <QtEndian>
#include <charconv>
#include <locale.h>

namespace {

// Room for the longest memo the old program let users type (65,535 characters), in UTF-8.
constexpr size_t BindSize = 65535 * 3 + 1;
constexpr int RowOffsetMask = 0x1fff;

JetTableReader::Kind kindOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL: return JetTableReader::Kind::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return JetTableReader::Kind::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: return JetTableReader::Kind::Real;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID: return JetTableReader::Kind::Text;
    case MDB_DATETIME: return JetTableReader::Kind::Date;
    default: return JetTableReader::Kind::Unsupported;  // pictures, attachments, raw bytes
    }
}

// Whether a type's value is kept in the row's bytes as they are (read without libmdb's text).
bool readsStoredBytes(int mdbType)
{
    switch (mdbType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE: return true;
    default: return false;
    }
}

// A Single holds fewer digits than a double: take the shortest decimal that gives it back
// (what the old program showed), so 8.03 stays 8.03 and not 8.0299997329711914.
double singleAsDouble(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double result = value;
    std::from_chars(text, written.ptr, result);
    return result;
}

// libmdb formats what it turns into text through the C library, which follows LC_NUMERIC: an
// Italian workstation would get "7,5". The reading runs with the "C" numeric conventions.
class CNumericLocale
{
public:
    CNumericLocale(locale_t numericC) : m_previous(uselocale(numericC)) {}
    ~CNumericLocale() { uselocale(m_previous); }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_previous;
};

} // namespace

struct JetArchiveReader::Impl
{
    MdbHandle* mdb = nullptr;
    locale_t numericC = nullptr;
    ~Impl()
    {
        if (mdb)
            mdb_close(mdb);
        if (numericC)
            freelocale(numericC);
    }
};

struct JetTableReader::Impl
{
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    locale_t numericC = nullptr;
    std::vector<Column> columns;
    std::vector<MdbColumn*> mdbColumns;
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<int> lengths;
    std::vector<MdbField> fields;
    bool cracked = false;

    ~Impl()
    {
        if (table)
            mdb_free_tabledef(table);
    }

    bool textIsNull(int column);
};

JetArchiveReader::JetArchiveReader(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
JetArchiveReader::~JetArchiveReader() = default;

std::unique_ptr<JetArchiveReader> JetArchiveReader::open(const QString& path)
{
    auto impl = std::make_unique<Impl>();
    impl->numericC = newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE));
    CNumericLocale numeric(impl->numericC);
    impl->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!impl->mdb || !mdb_read_catalog(impl->mdb, MDB_TABLE))
        return nullptr;
    mdb_set_bind_size(impl->mdb, BindSize);
    mdb_set_boolean_fmt_numbers(impl->mdb);
    mdb_set_date_fmt(impl->mdb, "%Y-%m-%d %H:%M:%S");
    return std::unique_ptr<JetArchiveReader>(new JetArchiveReader(std::move(impl)));
}

std::unique_ptr<JetTableReader> JetArchiveReader::table(const QString& name)
{
    CNumericLocale numeric(d->numericC);
    MdbCatalogEntry* entry = nullptr;
    for (guint i = 0; i < d->mdb->num_catalog && !entry; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d->mdb->catalog, i));
        if (candidate->object_type == MDB_TABLE && mdb_is_user_table(candidate)
            && QString::fromUtf8(candidate->object_name).compare(name, Qt::CaseInsensitive) == 0)
            entry = candidate;
    }
    if (!entry)
        return nullptr;

    auto impl = std::make_unique<JetTableReader::Impl>();
    impl->mdb = d->mdb;
    impl->numericC = d->numericC;
    impl->table = mdb_read_table(entry);
    if (!impl->table || !mdb_read_columns(impl->table))
        return nullptr;
    const int count = int(impl->table->num_cols);
    impl->lengths.assign(count, 0);
    impl->fields.resize(count);
    for (int i = 0; i < count; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(impl->table->columns, i));
        impl->mdbColumns.push_back(col);
        impl->columns.push_back({QString::fromUtf8(col->name), kindOf(col->col_type)});
        // Numbers are read from their stored bytes; everything else through its text.
        if (readsStoredBytes(col->col_type) || kindOf(col->col_type) == JetTableReader::Kind::Unsupported) {
            impl->buffers.emplace_back();
            continue;
        }
        impl->buffers.emplace_back(new char[BindSize]);
        mdb_bind_column(impl->table, i + 1, impl->buffers.back().get(), &impl->lengths[i]);
    }
    mdb_rewind_table(impl->table);
    return std::unique_ptr<JetTableReader>(new JetTableReader(std::move(impl)));
}

JetTableReader::JetTableReader(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
JetTableReader::~JetTableReader() = default;

QString JetTableReader::name() const { return QString::fromUtf8(d->table->name); }
const std::vector<JetTableReader::Column>& JetTableReader::columns() const { return d->columns; }
int JetTableReader::storedRowCount() const { return int(d->table->num_rows); }

bool JetTableReader::next()
{
    CNumericLocale numeric(d->numericC);
    d->cracked = false;
    return mdb_fetch_row(d->table) != 0;
}

// An empty text and a Null both arrive with no bytes; the row's null mask tells them apart.
bool JetTableReader::Impl::textIsNull(int column)
{
    if (!cracked) {
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size) != 0)
            return true;
        CNumericLocale numeric(numericC);
        mdb_crack_row(table, start & RowOffsetMask, size, fields.data());
        cracked = true;
    }
    for (const MdbField& field : fields)
        if (field.colnum == column)
            return field.is_null;
    return true;
}

QVariant JetTableReader::value(int column) const
{
    MdbColumn* col = d->mdbColumns.at(column);
    const unsigned char* stored = d->mdb->pg_buf + col->cur_value_start;
    switch (col->col_type) {
    case MDB_BOOL:
        return QVariant(d->buffers[column][0] == '1');
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
        if (col->cur_value_len == 0)
            return QVariant();
        switch (col->col_type) {
        case MDB_BYTE: return QVariant(qint64(stored[0]));
        case MDB_INT: return QVariant(qint64(qFromLittleEndian<qint16>(stored)));
        case MDB_LONGINT: return QVariant(qint64(qFromLittleEndian<qint32>(stored)));
        case MDB_MONEY: return QVariant(double(qFromLittleEndian<qint64>(stored)) / 10000.0);
        case MDB_FLOAT: return QVariant(singleAsDouble(mdb_get_single(d->mdb->pg_buf, col->cur_value_start)));
        default: return QVariant(mdb_get_double(d->mdb->pg_buf, col->cur_value_start));
        }
    default:
        break;
    }
    if (!d->buffers[column])
        return QVariant();
    const int length = d->lengths[column];
    if (length == 0) {
        // Nothing came: a Null, or an empty text (which still has stored bytes, or its
        // null-mask bit when it is a short text).
        const bool isNull = col->cur_value_len == 0 && (col->col_type != MDB_TEXT || d->textIsNull(column));
        return isNull ? QVariant() : QVariant(QString::fromUtf8("", 0));
    }
    const QByteArray text(d->buffers[column].get(), length);
    switch (d->columns[column].kind) {
    case Kind::Real: return QVariant(text.toDouble());
    case Kind::Date: return QVariant(QString::fromLatin1(text.endsWith(" 00:00:00") ? text.left(10) : text));
    default: return QVariant(QString::fromUtf8(text));
    }
}
