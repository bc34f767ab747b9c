#include "newdocumentwriter.h"
#include "creationstate.h"
#include "documentkinds.h"
#include "documentamounts.h"
#include "headertotals.h"
#include "numberedrows.h"
#include "writtenrowcount.h"
#include "common/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

struct ColumnCopy
{
    QString target;
    QString source;
};

QVector<ColumnCopy> rowCopies(const std::vector<MappingEntry>& entries, TargetKind targetType)
{
    QVector<ColumnCopy> copies;
    for (const MappingEntry& entry : entries)
        if (entry.rule == MappingEntry::Rule::Copy && entry.targets.contains(targetType))
            copies.push_back({QLatin1String(entry.target), QLatin1String(entry.source)});
    return copies;
}

// The copy that writes the target column, or none.
const ColumnCopy* copyInto(const QVector<ColumnCopy>& copies, const char* target)
{
    const auto copy = std::find_if(copies.begin(), copies.end(), [&](const ColumnCopy& c) {
        return c.target.compare(QLatin1String(target), Qt::CaseInsensitive) == 0;
    });
    return copy == copies.end() ? nullptr : &*copy;
}

JetQuery sourceRowsCondition(const CreationState& state)
{
    JetQuery q;
    q << "((" << Jet::identifier(state.SourceRowsTable) << ".DataReg = " << Jet::date(state.request.sourceDataReg)
      << ") AND (" << Jet::identifier(state.SourceRowsTable) << ".NumInt = " << Jet::number(state.request.sourceNumInt)
      << "))";
    return q;
}

[[noreturn]] void rowCounterOverflow()
{
    throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Overflow"));
}

// The lowest and highest Riga of the source rows, each read at one end of the document's rows
// in the key.
struct RigaRange
{
    qint64 lowest = 0;
    qint64 highest = 0;
};

RigaRange rigaRange(const CreationState& state)
{
    const auto source = Jet::identifier(state.SourceRowsTable);
    JetQuery q;
    q << "SELECT (SELECT Min(Riga) FROM " << source << " WHERE " << sourceRowsCondition(state) << "), (SELECT Max(Riga) FROM "
      << source << " WHERE " << sourceRowsCondition(state) << ")";
    Rows found = state.db.select(q);
    if (!found.next())
        return {};
    return {found.value(0).toLongLong(), found.value(1).toLongLong()};
}

int countSourceRows(const CreationState& state)
{
    JetQuery q;
    q << "SELECT Count(*) FROM " << Jet::identifier(state.SourceRowsTable) << " WHERE " << sourceRowsCondition(state);
    Rows found = state.db.select(q);
    return found.next() ? found.value(0).toInt() : 0;
}

enum class RowNumbers { KeepRiga, InRigaOrder };

// Every row in one statement, which hands back the columns each written row is priced from;
// returns how many were written. Rows already numbered 1, 2, 3... keep their Riga; otherwise
// they are numbered in Riga order, at most as many as the row counter holds. Reading the rows
// again costs SQLite as much as the copy itself, so there the copy counts each row as it writes
// it (writtenrowcount.h); PostgreSQL groups the source rows after the copy, which costs it less
// than handing back the written ones.
int copyAllRows(CreationState& state, const QVector<ColumnCopy>& copies, RowNumbers numbering, QVector<PricedRow>& written)
{
    const auto source = Jet::identifier(state.SourceRowsTable);
    const Currency books = state.session.books.currency;
    const auto columns = pricedColumns(books);
    const bool sqlite = state.db.engine() == Database::Engine::SQLite;
    JetQuery q;
    q << "INSERT INTO " << Jet::identifier(state.TargetRowsTable) << " (DataReg, NumInt, Riga";
    for (const ColumnCopy& c : copies)
        q << ", " << Jet::identifier(c.target);
    q << ") SELECT " << Jet::date(state.Today) << ", " << Jet::number(state.NewNumber) << ", ";
    JetQuery riga;
    if (numbering == RowNumbers::KeepRiga)
        riga << source << ".Riga";
    else
        riga << "numbered.n";
    if (sqlite) {
        q << "written_row(" << riga;
        for (const char* column : columns) {
            if (const ColumnCopy* copy = copyInto(copies, column))
                q << ", " << source << "." << Jet::identifier(copy->source);
            else
                q << ", NULL";
        }
        q << ")";
    } else {
        q << riga;
    }
    for (const ColumnCopy& c : copies)
        q << ", " << source << "." << Jet::identifier(c.source);
    if (numbering == RowNumbers::InRigaOrder)
        q << " FROM "
          << numberedRows(state.db, state.SourceRowsTable, state.request.sourceDataReg, state.request.sourceNumInt)
          << " WHERE numbered.n <= " << Jet::number(MaxDocumentRows);
    else
        q << " FROM " << source << " WHERE " << sourceRowsCondition(state);
    if (sqlite) {
        const WrittenRowCount counted(state.db);
        const int count = state.db.execute(q);
        written = counted.groups(books);
        return count;
    }
    // Grouped byte for byte: the codes' own collation, which ignores case, costs the server
    // a sort key for every row.
    const int count = state.db.execute(q);
    JetQuery statement("SELECT ");
    for (const char* column : columns) {
        if (column != columns.front())
            statement << ", ";
        if (const ColumnCopy* copy = copyInto(copies, column))
            statement << source << "." << Jet::identifier(copy->source);
        else
            statement << "NULL";
        if (column == RowColumn::VatCode)
            statement << " COLLATE \"C\"";
        statement << " AS " << Jet::identifier(QLatin1String(column));
    }
    static_assert(std::tuple_size_v<PricedCells> == 6, "one place in GROUP BY for each priced column");
    statement << ", Count(*) FROM " << source << " WHERE " << sourceRowsCondition(state) << " GROUP BY 1, 2, 3, 4, 5, 6";
    Rows groups = state.db.select(statement);
    const PricedRowReader reader(groups.record(), books);
    const int repeats = int(columns.size());
    while (groups.next()) {
        written << reader.read(groups);
        written.last().repeats = groups.value(repeats).toLongLong();
    }
    return count;
}

// Copies the rows in one statement; tells whether some were left out for the row counter.
// Rows numbered from 1 without gaps, as every document of ours, go over as they are: the copy
// finds a gap when it writes fewer rows than the highest Riga, and then it is undone. Other rows
// are numbered in Riga order.
bool copyRowsAtOnce(CreationState& state, const QVector<ColumnCopy>& copies, QVector<PricedRow>& written)
{
    const RigaRange riga = rigaRange(state);
    if (riga.lowest == 1 && riga.highest <= MaxDocumentRows) {
        WriteTransaction asTheyAre(state.db);
        state.RowsSaved = copyAllRows(state, copies, RowNumbers::KeepRiga, written);
        if (state.RowsSaved == riga.highest) {
            asTheyAre.commit();
            return false;
        }
        written.clear();
    }
    state.RowsSaved = copyAllRows(state, copies, RowNumbers::InRigaOrder, written);
    // Each Riga a different whole number: more rows than the counter holds need a wider span.
    return riga.highest - riga.lowest >= MaxDocumentRows && countSourceRows(state) > MaxDocumentRows;
}

// The rows one at a time through the two views, so that a failing row is known and the rows
// before it are kept.
QVector<PricedRow> copyRowsOneByOne(CreationState& state, const QVector<ColumnCopy>& copies)
{
    // Where each column a row is priced from comes from: a copy, or nothing (Null).
    const Currency books = state.session.books.currency;
    const auto pricedFrom = pricedColumns(books);
    std::array<const ColumnCopy*, pricedFrom.size()> copyOf;
    for (size_t i = 0; i < pricedFrom.size(); ++i)
        copyOf[i] = copyInto(copies, pricedFrom[i]);
    PricedRowGroups written;

    JetQuery rows;
    rows << "SELECT * FROM " << Jet::table(state.SourceRowsTable) << " WHERE " << sourceRowsCondition(state)
         << " ORDER BY " << Jet::identifier(state.SourceRowsTable) << ".Riga";
    state.SourceRows = Recordset::open(state.db, rows, Recordset::Type::Dynaset, true);
    JetQuery empty;
    empty << "SELECT * FROM " << Jet::table(state.TargetRowsTable) << " WHERE ("
          << Jet::identifier(state.TargetRowsTable) << ".NumInt = -1)";
    state.TargetRows = Recordset::open(state.db, empty);

    Recordset& source = state.SourceRows;
    Recordset& target = state.TargetRows;
    state.RowsSaved = 0;
    for (source.MoveFirst(); !source.isEOF(); source.MoveNext()) {
        if (state.RowsSaved == MaxDocumentRows)
            rowCounterOverflow();
        target.AddNew();
        target.setValue(QStringLiteral("DataReg"), state.Today);
        target.setValue(QStringLiteral("NumInt"), state.NewNumber);
        target.setValue(QStringLiteral("Riga"), state.RowsSaved + 1);
        for (const ColumnCopy& c : copies)
            target.setValue(c.target, source.value(c.source));
        target.Update();
        ++state.RowsSaved;
        PricedCells cells;
        for (size_t i = 0; i < cells.size(); ++i)
            if (copyOf[i])
                cells[i] = source.value(copyOf[i]->source);
        written.add(pricedRowOf(cells, books));
    }
    return written.groups();
}

// Rows go over in one statement inside a transaction of their own. Should it fail, that work is
// undone and the rows are copied again one by one up to the failing one, which tells the reason.
// Returns the written rows, as priced, in groups of rows alike.
QVector<PricedRow> copyRows(CreationState& state, const std::vector<MappingEntry>& rowEntries)
{
    const QVector<ColumnCopy> copies = rowCopies(rowEntries, state.request.targetType);
    bool overflow = false;
    QVector<PricedRow> written;
    try {
        WriteTransaction allRows(state.db);
        overflow = copyRowsAtOnce(state, copies, written);
        allRows.commit();
    } catch (const DatabaseError& e) {
        // A lost connection took the whole creation with it: nothing is left to go on from.
        if (e.kind() == DatabaseError::Kind::Unreachable)
            throw;
        return copyRowsOneByOne(state, copies);
    }
    if (overflow)
        rowCounterOverflow();
    return written;
}

} // namespace

void saveNewDocument(CreationState& state, const std::vector<MappingEntry>& rowEntries)
{
    state.TargetHeader.Update();
    state.HeaderSaved = true;
    const QVector<PricedRow> written = copyRows(state, rowEntries);
    // The totals are the new document's own, computed from the rows it received.
    const DocumentKind* target = documentKind(targetChoice(state.request.targetType)->kindCode);
    writeHeaderTotals(state.db, *target, state.Today, state.NewNumber,
                      computeDocumentAmounts(written, readVatTable(state.db), state.session.books));
}
