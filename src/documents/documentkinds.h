#pragma once
#include <QString>
#include <QVector>

// The header columns that hold a kind's totals, each in lire and in euro. Purchase documents
// end their euro columns in "EURO", the others in "LEURO"; return notes hold only their total
// (the taxable and tax names are empty).
struct TotalColumns
{
    QString taxableLire, taxableEuro, taxLire, taxEuro, totalLire, totalEuro;
    bool hasTaxBreakdown() const { return !taxableLire.isEmpty(); }
};

// The row columns, the same in every kind.
namespace RowColumn {
inline constexpr const char* Quantity = "Quantita";
inline constexpr const char* PriceLire = "PUnitLit";
inline constexpr const char* PriceEuro = "PUnitEuro";
inline constexpr const char* Discount = "Sconto";
inline constexpr const char* ValueLire = "ValoreLit";
inline constexpr const char* ValueEuro = "ValoreEuro";
inline constexpr const char* TotalLire = "TotRigaLit";
inline constexpr const char* TotalEuro = "TotRigaEuro";
inline constexpr const char* VatCode = "CdIva";
} // namespace RowColumn

// The eight kinds of commercial document. Each is stored in a header table (code + "Tes") and
// a rows table (code + "Rig") of the company archive.
struct DocumentKind
{
    QString code;            // "FATVE", "FATAC", ...
    QString headerTable;     // "FATVETes"
    QString rowsTable;       // "FATVERig"
    qint16 kindNumber;       // passed to the number request
    bool supplierCounterpart;// FATAC and ORDAC have a supplier instead of a customer
    TotalColumns totals = {};
};

const QVector<DocumentKind>& documentKinds();
const DocumentKind* documentKind(const QString& code);

// The wizard's target codes (TargetType 1..10, no 6) and source codes (SourceType 1..5).
struct TargetChoice
{
    QString name;            // the entry of the first list, "Fattura Immediata"
    qint16 targetType;
    QString kindCode;        // where the new document is stored
    QStringList sources;     // names of the source kinds offered, in order
    bool supplierFrame;      // the supplier fields are asked
    bool movementFrame;      // the warehouse movement fields are asked
};

struct SourceChoice
{
    QString name;            // "D.D.T."
    qint16 sourceType;
    QString kindCode;        // "DDT"
    QString stepCaption;     // "Scelta del D.D.T. :"
    QString gridLayoutName;  // "AutoDDT"
};

const QVector<TargetChoice>& targetChoices();          // in the order of the first list
const TargetChoice* targetChoice(qint16 targetType);
const QVector<SourceChoice>& sourceChoices();
const SourceChoice* sourceChoice(const QString& name);
const SourceChoice* sourceChoice(qint16 sourceType);
