// The columns each conversion carries over, by source kind and kind of document created.
#include "conversion.h"

namespace {

constexpr TargetTypes All = TargetTypes::all();
constexpr MappingEntry::Rule Supplier = MappingEntry::Rule::SupplierFields;

// A delivery note becomes a return note for TargetType 10 and an invoice for every other.
using K = TargetKind;
constexpr TargetTypes DdtToInvoice = TargetTypes::allBut(K::ReturnNote);
constexpr TargetTypes DdtToReturnNote{K::ReturnNote};
constexpr TargetTypes DdtToBoth = All;

// A customer order keeps its customer in sales documents; purchase documents take a supplier.
constexpr TargetTypes Customer{K::ImmediateInvoice, K::AccompanyingInvoice, K::DeliveryNote, K::Quotation};
constexpr TargetTypes Payment{K::ImmediateInvoice, K::AccompanyingInvoice, K::PurchaseInvoice, K::DeliveryNote, K::SupplierOrder};
constexpr TargetTypes Agent{K::ImmediateInvoice, K::AccompanyingInvoice, K::DeliveryNote};
constexpr TargetTypes Discount{K::ImmediateInvoice, K::AccompanyingInvoice, K::DeliveryNote, K::Quotation};
constexpr TargetTypes PurchaseDocument{K::PurchaseInvoice, K::SupplierOrder};
constexpr TargetTypes SalesInvoice{K::ImmediateInvoice, K::AccompanyingInvoice};
constexpr TargetTypes PurchaseInvoice{K::PurchaseInvoice};
constexpr TargetTypes DeliveryNote{K::DeliveryNote};
constexpr TargetTypes Quotation{K::Quotation};
constexpr TargetTypes SupplierOrder{K::SupplierOrder};
constexpr TargetTypes CustomerOrder{K::CustomerOrder};

} // namespace

const ConversionMapping& deliveryNoteMapping()
{
    static const ConversionMapping mapping{
        {
            {"idCausaleDoc", "idCausaleDoc", DdtToBoth},
            {"idEsercizio", "idEsercizio", DdtToBoth},
            {"CausaleTrasp", "CausaleTrasp", DdtToInvoice},
            {"Colli", "Colli", DdtToInvoice},
            {"Aspetto", "Aspetto", DdtToInvoice},
            {"PesoKG", "PesoKG", DdtToInvoice},
            {"idVett1", "idVett1", DdtToInvoice},
            {"NoteVett1", "NoteVett1", DdtToInvoice},
            {"idVett2", "idVett2", DdtToInvoice},
            {"NoteVett2", "NoteVett2", DdtToInvoice},
            {"idCliente", "idCliente", DdtToBoth},
            {"DSCli", "DSCli", DdtToInvoice},
            {"Indirizzo", "Indirizzo", DdtToInvoice},
            {"Localita", "Localita", DdtToInvoice},
            {"Stato", "Stato", DdtToInvoice},
            {"PV", "PV", DdtToInvoice},
            {"CAP", "CAP", DdtToInvoice},
            {"NoteDoc", "NoteDoc", DdtToBoth},
            {"idPagamento", "idPagamento", DdtToInvoice},
            {"idModPag", "idModPag", DdtToInvoice},
            {"idListino", "idListino", DdtToInvoice},
            {"DtCons", "DtCons", DdtToBoth},
            {"Porto", "Porto", DdtToInvoice},
            {"ACura", "ACura", DdtToInvoice},
            {"Zona", "Zona", DdtToInvoice},
            {"idAgente", "idAgente", DdtToInvoice},
            {"PercSconto", "PercSconto", DdtToInvoice},
            {"ImponFATVELire", "ImponDDTLire", DdtToInvoice},
            {"ImponFATVELEURO", "ImponDDTLEURO", DdtToInvoice},
            {"ImpostaFATVELire", "ImpostaDDTLire", DdtToInvoice},
            {"ImpostaFATVELEURO", "ImpostaDDTLEURO", DdtToInvoice},
            {"TotFATVELire", "TotDDTLire", DdtToInvoice},
            {"TotFATVELEURO", "TotDDTLEURO", DdtToInvoice},
            {"TotRESOLire", "TotDDTLire", DdtToReturnNote},
            {"TotRESOLEURO", "TotDDTLEURO", DdtToReturnNote},
        },
        {
            {"Deposito", "Deposito", DdtToBoth},
            {"TipoRiga", "TipoRiga", DdtToBoth},
            {"idArticolo", "idArticolo", DdtToBoth},
            {"Descrizione", "Descrizione", DdtToBoth},
            {"UM", "UM", DdtToBoth},
            {"CdIva", "CdIva", DdtToInvoice},
            {"Quantita", "Quantita", DdtToBoth},
            {"PUnitLit", "PUnitLit", DdtToBoth},
            {"PUnitEuro", "PUnitEuro", DdtToBoth},
            {"Sconto", "Sconto", DdtToInvoice},
            {"TotScontiLit", "TotScontiLit", DdtToInvoice},
            {"TotScontiEuro", "TotScontiEuro", DdtToInvoice},
            {"ValoreLit", "ValoreLit", DdtToInvoice},
            {"ValoreEuro", "ValoreEuro", DdtToInvoice},
            {"ImpostaLit", "ImpostaLit", DdtToInvoice},
            {"ImpostaEuro", "ImpostaEuro", DdtToInvoice},
            {"TotRigaLit", "TotRigaLit", DdtToBoth},
            {"TotRigaEuro", "TotRigaEuro", DdtToBoth},
        },
    };
    return mapping;
}

const ConversionMapping& customerOrderMapping()
{
    static const ConversionMapping mapping{
        {
            {"idCausaleDoc", "idCausaleDoc", All},
            {"idEsercizio", "idEsercizio", All},
            {"idCliente", "idCliente", Customer},
            {"DSCli", "DSCli", Customer},
            {"Indirizzo", "Indirizzo", Customer},
            {"Localita", "Localita", Customer},
            {"Stato", "Stato", Customer},
            {"PV", "PV", Customer},
            {"CAP", "CAP", Customer},
            {nullptr, nullptr, PurchaseDocument, Supplier},
            {"NoteDoc", "NoteDoc", All},
            {"idPagamento", "idPagamento", Payment},
            {"idModPag", "idModPag", Payment},
            {"idListino", "idListino", All},
            {"idAgente", "idAgente", Agent},
            {"PercSconto", "PercSconto", Discount},
            {"ImponFATVELire", "ImponORDVELire", SalesInvoice},
            {"ImponFATVELEURO", "ImponORDVELEURO", SalesInvoice},
            {"ImpostaFATVELire", "ImpostaORDVELire", SalesInvoice},
            {"ImpostaFATVELEURO", "ImpostaORDVELEURO", SalesInvoice},
            {"TotFATVELire", "TotORDVELire", SalesInvoice},
            {"TotFATVELEURO", "TotORDVELEURO", SalesInvoice},
            {"ImponFATACLire", "ImponORDVELire", PurchaseInvoice},
            {"ImponFATACEURO", "ImponORDVELEURO", PurchaseInvoice},
            {"ImpostaFATACLire", "ImpostaORDVELire", PurchaseInvoice},
            {"ImpostaFATACEURO", "ImpostaORDVELEURO", PurchaseInvoice},
            {"TotFATACLire", "TotORDVELire", PurchaseInvoice},
            {"TotFATACEURO", "TotORDVELEURO", PurchaseInvoice},
            {"ImponDDTLire", "ImponORDVELire", DeliveryNote},
            {"ImponDDTLEURO", "ImponORDVELEURO", DeliveryNote},
            {"ImpostaDDTLire", "ImpostaORDVELire", DeliveryNote},
            {"ImpostaDDTLEURO", "ImpostaORDVELEURO", DeliveryNote},
            {"TotDDTLire", "TotORDVELire", DeliveryNote},
            {"TotDDTLEURO", "TotORDVELEURO", DeliveryNote},
            {"ImponPREVLire", "ImponORDVELire", Quotation},
            {"ImponPREVLEURO", "ImponORDVELEURO", Quotation},
            {"ImpostaPREVLire", "ImpostaORDVELire", Quotation},
            {"ImpostaPREVLEURO", "ImpostaORDVELEURO", Quotation},
            {"TotPREVLire", "TotORDVELire", Quotation},
            {"TotPREVLEURO", "TotORDVELEURO", Quotation},
            {"ImponORDACLire", "ImponORDVELire", SupplierOrder},
            {"ImponORDACEURO", "ImponORDVELEURO", SupplierOrder},
            {"ImpostaORDACLire", "ImpostaORDVELire", SupplierOrder},
            {"ImpostaORDACEURO", "ImpostaORDVELEURO", SupplierOrder},
            {"TotORDACLire", "TotORDVELire", SupplierOrder},
            {"TotORDACEURO", "TotORDVELEURO", SupplierOrder},
        },
        {
            {"Deposito", "Deposito", All},
            {"TipoRiga", "TipoRiga", All},
            {"idArticolo", "idArticolo", All},
            {"Descrizione", "Descrizione", All},
            {"UM", "UM", All},
            {"CdIva", "CdIva", All},
            {"Quantita", "Quantita", All},
            {"PUnitLit", "PUnitLit", All},
            {"PUnitEuro", "PUnitEuro", All},
            {"Sconto", "Sconto", Discount},
            {"TotScontiLit", "TotScontiLit", Discount},
            {"TotScontiEuro", "TotScontiEuro", Discount},
            {"ValoreLit", "ValoreLit", All},
            {"ValoreEuro", "ValoreEuro", All},
            {"ImpostaLit", "ImpostaLit", All},
            {"ImpostaEuro", "ImpostaEuro", All},
            {"TotRigaLit", "TotRigaLit", All},
            {"TotRigaEuro", "TotRigaEuro", All},
        },
    };
    return mapping;
}

const ConversionMapping& quotationMapping()
{
    static const ConversionMapping mapping{
        {
            {"idCausaleDoc", "idCausaleDoc", All},
            {"idEsercizio", "idEsercizio", All},
            {"idCliente", "idCliente", All},
            {"DSCli", "DSCli", All},
            {"Indirizzo", "Indirizzo", All},
            {"Localita", "Localita", All},
            {"Stato", "Stato", All},
            {"PV", "PV", All},
            {"CAP", "CAP", All},
            {"NoteDoc", "NoteDoc", All},
            {"idListino", "idListino", All},
            {"PercSconto", "PercSconto", All},
            {"ImponFATVELire", "ImponPREVLire", SalesInvoice},
            {"ImponFATVELEURO", "ImponPREVLEURO", SalesInvoice},
            {"ImpostaFATVELire", "ImpostaPREVLire", SalesInvoice},
            {"ImpostaFATVELEURO", "ImpostaPREVLEURO", SalesInvoice},
            {"TotFATVELire", "TotPREVLire", SalesInvoice},
            {"TotFATVELEURO", "TotPREVLEURO", SalesInvoice},
            {"ImponDDTLire", "ImponPREVLire", DeliveryNote},
            {"ImponDDTLEURO", "ImponPREVLEURO", DeliveryNote},
            {"ImpostaDDTLire", "ImpostaPREVLire", DeliveryNote},
            {"ImpostaDDTLEURO", "ImpostaPREVLEURO", DeliveryNote},
            {"TotDDTLire", "TotPREVLire", DeliveryNote},
            {"TotDDTLEURO", "TotPREVLEURO", DeliveryNote},
            {"ImponORDVELire", "ImponPREVLire", CustomerOrder},
            {"ImponORDVELEURO", "ImponPREVLEURO", CustomerOrder},
            {"ImpostaORDVELire", "ImpostaPREVLire", CustomerOrder},
            {"ImpostaORDVELEURO", "ImpostaPREVLEURO", CustomerOrder},
            {"TotORDVELire", "TotPREVLire", CustomerOrder},
            {"TotORDVELEURO", "TotPREVLEURO", CustomerOrder},
        },
        {
            {"Deposito", "Deposito", All},
            {"TipoRiga", "TipoRiga", All},
            {"idArticolo", "idArticolo", All},
            {"Descrizione", "Descrizione", All},
            {"UM", "UM", All},
            {"CdIva", "CdIva", All},
            {"Quantita", "Quantita", All},
            {"PUnitLit", "PUnitLit", All},
            {"PUnitEuro", "PUnitEuro", All},
            {"Sconto", "Sconto", All},
            {"TotScontiLit", "TotScontiLit", All},
            {"TotScontiEuro", "TotScontiEuro", All},
            {"ValoreLit", "ValoreLit", All},
            {"ValoreEuro", "ValoreEuro", All},
            {"ImpostaLit", "ImpostaLit", All},
            {"ImpostaEuro", "ImpostaEuro", All},
            {"TotRigaLit", "TotRigaLit", All},
            {"TotRigaEuro", "TotRigaEuro", All},
        },
    };
    return mapping;
}

// A credit note takes the invoice's amounts as they are: nothing changes sign.
const ConversionMapping& invoiceMapping()
{
    static const ConversionMapping mapping{
        {
            {"idCausaleDoc", "idCausaleDoc", All},
            {"idEsercizio", "idEsercizio", All},
            {"idCliente", "idCliente", All},
            {"DSCli", "DSCli", All},
            {"Indirizzo", "Indirizzo", All},
            {"Localita", "Localita", All},
            {"Stato", "Stato", All},
            {"PV", "PV", All},
            {"CAP", "CAP", All},
            {"NoteDoc", "NoteDoc", All},
            {"idPagamento", "idPagamento", All},
            {"idModPag", "idModPag", All},
            {"idAgente", "idAgente", All},
            {"ImponFATNCLire", "ImponFATVELire", All},
            {"ImponFATNCLEURO", "ImponFATVELEURO", All},
            {"ImpostaFATNCLire", "ImpostaFATVELire", All},
            {"ImpostaFATNCLEURO", "ImpostaFATVELEURO", All},
            {"TotFATNCLire", "TotFATVELire", All},
            {"TotFATNCLEURO", "TotFATVELEURO", All},
        },
        {
            {"Deposito", "Deposito", All},
            {"TipoRiga", "TipoRiga", All},
            {"idArticolo", "idArticolo", All},
            {"Descrizione", "Descrizione", All},
            {"UM", "UM", All},
            {"CdIva", "CdIva", All},
            {"Quantita", "Quantita", All},
            {"PUnitLit", "PUnitLit", All},
            {"PUnitEuro", "PUnitEuro", All},
            {"ValoreLit", "ValoreLit", All},
            {"ValoreEuro", "ValoreEuro", All},
            {"ImpostaLit", "ImpostaLit", All},
            {"ImpostaEuro", "ImpostaEuro", All},
            {"TotRigaLit", "TotRigaLit", All},
            {"TotRigaEuro", "TotRigaEuro", All},
        },
    };
    return mapping;
}

// A credit note from a return note has the return's total only: no name, address, taxable or tax.
const ConversionMapping& returnNoteMapping()
{
    static const ConversionMapping mapping{
        {
            {"idCausaleDoc", "idCausaleDoc", All},
            {"idEsercizio", "idEsercizio", All},
            {"idCliente", "idCliente", All},
            {"NoteDoc", "NoteDoc", All},
            {"TotFATNCLire", "TotRESOLire", All},
            {"TotFATNCLEURO", "TotRESOLEURO", All},
        },
        {
            {"Deposito", "Deposito", All},
            {"TipoRiga", "TipoRiga", All},
            {"idArticolo", "idArticolo", All},
            {"Descrizione", "Descrizione", All},
            {"UM", "UM", All},
            {"Quantita", "Quantita", All},
            {"PUnitLit", "PUnitLit", All},
            {"PUnitEuro", "PUnitEuro", All},
            {"TotRigaLit", "TotRigaLit", All},
            {"TotRigaEuro", "TotRigaEuro", All},
        },
    };
    return mapping;
}
