#include "sourcelist.h"
#include "documentkinds.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const DocumentKind& kindOf(SourceKind sourceType)
{
    const SourceChoice* source = sourceChoice(sourceType);
    const DocumentKind* kind = source ? documentKind(source->kindCode) : nullptr;
    if (!kind)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Tipo di documento di partenza non previsto: %1").arg(qint16(sourceType)));
    return *kind;
}

// The totals each kind lists; the euro columns are written "lEURO", as the archive has always
// been asked for them (names match without regard to case).
QStringList listedTotals(const DocumentKind& kind)
{
    QStringList totals{QStringLiteral("Tot%1Lire"), QStringLiteral("Tot%1lEURO")};
    if (kind.code == QLatin1String("PREV"))
        totals << QStringLiteral("Impon%1Lire") << QStringLiteral("Impon%1lEURO") << QStringLiteral("Imposta%1Lire")
               << QStringLiteral("Imposta%1lEURO");
    for (QString& total : totals)
        total = total.arg(kind.code);
    return totals;
}

JetQuery selectPart(const DocumentKind& kind)
{
    const JetQuery::Piece table = Jet::identifier(kind.headerTable);
    JetQuery q;
    q << "SELECT " << table << ".DataReg," << table << ".NumInt, " << table << ".Numero, " << table
      << ".idCausaleDoc, Clienti.Codice, Clienti.Denominazione, ";
    const QStringList totals = listedTotals(kind);
    for (int i = 0; i < totals.size(); ++i) {
        if (i > 0)
            q << ",";
        q << table << "." << Jet::identifier(totals[i]);
    }
    q << "  FROM " << table << " LEFT JOIN Clienti ON " << table << ".idCliente = Clienti.id";
    return q;
}

JetQuery rangePart(const DocumentKind& kind, const SourceListRange& range)
{
    const JetQuery::Piece table = Jet::identifier(kind.headerTable);
    JetQuery q;
    q << " Where " << table << ".DataReg >= " << Jet::date(range.from) << " AND " << table
      << ".DataReg <= " << Jet::date(range.to);
    return q;
}

JetQuery orderPart(const DocumentKind& kind)
{
    const JetQuery::Piece table = Jet::identifier(kind.headerTable);
    JetQuery q;
    q << " ORDER BY " << table << ".DataReg," << table << ".NumInt";
    return q;
}

qint64 headerKey(int section, int role)
{
    return (qint64(section) << 32) | quint32(role);
}

} // namespace

JetQuery sourceListQuery(const SourceListRange& range)
{
    const DocumentKind& kind = kindOf(range.sourceType);
    JetQuery q = selectPart(kind);
    q << rangePart(kind, range) << orderPart(kind);
    return q;
}

void SourceListModel::open(const Database& db, const SourceListRange& range)
{
    const DocumentKind& kind = kindOf(range.sourceType);
    beginResetModel();
    m_db = db;
    m_range = range;
    m_table = kind.headerTable;
    m_rows.clear();
    const QStringList before = m_fields;
    try {
        m_rows = readPage();
    } catch (...) {
        m_rows.clear();
        m_atEnd = true;
        endResetModel();
        throw;
    }
    // Headings a layout gave stay while the columns are the same ones.
    if (m_fields != before)
        m_headers.clear();
    endResetModel();
}

// The next page after the rows read so far. The statement is read to its end and goes with the
// function, so the archive is not held.
QVector<SourceListModel::Row> SourceListModel::readPage()
{
    const DocumentKind& kind = kindOf(m_range.sourceType);
    JetQuery q = selectPart(kind);
    q << rangePart(kind, m_range);
    if (!m_rows.isEmpty()) {
        const JetQuery::Piece table = Jet::identifier(m_table);
        const Row& last = m_rows.last();
        q << " AND (" << table << ".DataReg, " << table << ".NumInt) > (" << Jet::text(last.value(0).toString())
          << ", " << Jet::number(last.value(1).toLongLong()) << ")";
    }
    q << orderPart(kind) << " LIMIT " << Jet::number(PageSize);

    QVector<Row> page;
    Rows rows = m_db.select(q);
    const QSqlRecord record = rows.record();
    m_fields.clear();
    for (int c = 0; c < record.count(); ++c)
        m_fields << record.fieldName(c);
    page.reserve(PageSize);
    while (rows.next()) {
        Row row(record.count());
        for (int c = 0; c < record.count(); ++c)
            row[c] = rows.value(c);
        page << row;
    }
    m_atEnd = page.size() < PageSize;
    return page;
}

QVariant SourceListModel::value(int row, const QString& field) const
{
    for (int c = 0; c < m_fields.size(); ++c)
        if (m_fields[c].compare(field, Qt::CaseInsensitive) == 0)
            return row >= 0 && row < m_rows.size() ? m_rows[row].value(c) : QVariant();
    return {};
}

int SourceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SourceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant SourceListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows.value(index.row()).value(index.column());
}

QVariant SourceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto set = m_headers.constFind(headerKey(section, role));
    if (set != m_headers.constEnd())
        return *set;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_fields.value(section);
    return {};
}

bool SourceListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size())
        return false;
    m_headers.insert(headerKey(section, role), value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool SourceListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void SourceListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || m_atEnd)
        return;
    QVector<Row> page;
    try {
        page = readPage();
    } catch (const DatabaseError& e) {
        // The grid asked while scrolling: the list ends at what was read, and the screen says why.
        m_atEnd = true;
        m_lastFailure = e;
        emit readFailed();
        return;
    }
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + page.size()) - 1);
    m_rows += page;
    endInsertRows();
}
