#include "conversion.h"
#include "creationdriver.h"
#include "creationstate.h"
#include "newdocumentwriter.h"

#include "common/jetdate.h"
#include "common/platform.h"

void convertDocument(CreationState& state, const ConversionMapping& mapping)
{
    const TargetKind targetType = state.request.targetType;
    Recordset& header = state.TargetHeader;

    state.Today = Platform::instance().today();
    header.AddNew();
    header.setValue(QStringLiteral("DataReg"), state.Today);
    header.setValue(QStringLiteral("NumInt"), state.NewNumber);
    header.setValue(QStringLiteral("Numero"), state.NewNumber);
    state.CreatedSummary = QStringLiteral("Data : ") + typedDate(state.Today) + QStringLiteral(" Numero : ")
                           + QString::number(state.NewNumber);

    for (const MappingEntry& entry : mapping.header) {
        if (!entry.targets.contains(targetType))
            continue;
        if (entry.rule == MappingEntry::Rule::SupplierFields)
            FillSupplierFields(state);
        else
            header.setValue(QLatin1String(entry.target), state.SourceHeader.value(QLatin1String(entry.source)));
    }

    CreateWarehouseMovement(state);
    saveNewDocument(state, mapping.rows);
}

void ConvertFromDeliveryNote(CreationState& state) { convertDocument(state, deliveryNoteMapping()); }
void ConvertFromCustomerOrder(CreationState& state) { convertDocument(state, customerOrderMapping()); }
void ConvertFromQuotation(CreationState& state) { convertDocument(state, quotationMapping()); }
void ConvertFromInvoice(CreationState& state) { convertDocument(state, invoiceMapping()); }
void ConvertFromReturnNote(CreationState& state) { convertDocument(state, returnNoteMapping()); }
