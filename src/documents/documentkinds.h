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

// The wizard's codes, 16-bit as the modules pass them: the document to create (TargetType; no
// kind has 6) and the document it starts from (SourceType). None: not chosen yet.
enum class TargetKind : qint16 {
    None = 0, ImmediateInvoice = 1, AccompanyingInvoice = 2, PurchaseInvoice = 3, CreditNote = 4,
    DeliveryNote = 5, Quotation = 7, CustomerOrder = 8, SupplierOrder = 9, ReturnNote = 10,
};
enum class SourceKind : qint16 { None = 0, DeliveryNote = 1, CustomerOrder = 2, Quotation = 3, Invoice = 4, ReturnNote = 5 };

struct TargetChoice
{
    QString name;            // the entry of the first list, "Fattura Immediata"
    TargetKind targetType;
    QString kindCode;        // where the new document is stored
    QStringList sources;     // names of the source kinds offered, in order
    bool supplierFrame;      // the supplier fields are asked
    bool movementFrame;      // the warehouse movement fields are asked
};

struct SourceChoice
{
    QString name;            // "D.D.T."
    SourceKind sourceType;
    QString kindCode;        // "DDT"
    QString stepCaption;     // "Scelta del D.D.T. :"
    QString gridLayoutName;  // "AutoDDT"
};

const QVector<TargetChoice>& targetChoices();          // in the order of the first list
const TargetChoice* targetChoice(TargetKind targetType);
const QVector<SourceChoice>& sourceChoices();
const SourceChoice* sourceChoice(const QString& name);
const SourceChoice* sourceChoice(SourceKind sourceType);
