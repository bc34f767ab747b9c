#pragma once
#include <QString>
#include <QVector>
#include <optional>

// How a column is typed and shown in a detail panel.
enum class FieldKind {
    Text,     // free text (FilterTextKey)
    Secret,   // text shown masked (passwords)
    Digits,   // whole number (FilterDigitKey)
    Decimal,  // number with decimals (FilterDecimalKey)
    Amount,   // an amount in the base currency: its decimals, grouped, right-aligned
    EuroAmount,  // an amount in euro: the euro's decimals, grouped, right-aligned
    Date,     // day-only date typed dd/mm/yyyy
    Flag,     // Boolean check box
};

struct FieldSpec
{
    QString column;
    QString label;
    FieldKind kind = FieldKind::Text;
    QString requiredMessage;  // empty: the field may stay empty
};

// A column holding the code (Codice) of another table's record, whose name is shown beside it.
struct Reference
{
    QString table;
    QString nameColumn;
};
std::optional<Reference> referenceOf(const QString& table, const QString& column);

// One table as the generic editor shows it. The first field is the key ("Codice"): required,
// unique without regard to case, fixed once the row exists.
struct TableDefinition
{
    QString table;
    QString layoutName;      // grid layout in Layout.grx
    QVector<FieldSpec> fields;
    QString pictureColumn;   // a column holding a picture path, shown next to the fields
};

// The detail panel of each table of the shared table screen, by table number (0 to 17).
const TableDefinition* tablePanel(int tableNumber);
constexpr int TablePanelCount = 18;

// The tables of the base component's own screens and of the module screens that edit a table.
const TableDefinition& customersTable();
const TableDefinition& suppliersTable();
const TableDefinition& articlesTable();
const TableDefinition& agentsTable();
const TableDefinition& materialsTable();
const TableDefinition& servicesTable();
const TableDefinition& carriersTable();
const TableDefinition& priceListsTable();
const TableDefinition& imagesTable();
const TableDefinition& stockReasonsTable();
const TableDefinition& billOfMaterialsTable();
