#include "creationdriver.h"
#include "creationstate.h"

#include "common/jetdate.h"

namespace {

// The whole-number value of a key typed or kept as text: its leading digits, 0 when none.
qint32 wholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    int end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    return trimmed.left(end).toInt();
}

} // namespace

void FillSupplierFields(CreationState& state)
{
    Recordset supplier = Recordset::open(
        state.db, (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Fornitori")) << " WHERE Codice = ") << Jet::text(state.request.supplierCode),
        Recordset::Type::Dynaset, true);
    Recordset& header = state.TargetHeader;
    header.setValue(QStringLiteral("idFornitore"), wholeNumber(state.request.supplierKey));
    if (supplier.isEmpty())
        return;
    header.setValue(QStringLiteral("DSFor"), supplier.value(QStringLiteral("Denominazione")));
    header.setValue(QStringLiteral("Indirizzo"), supplier.value(QStringLiteral("Indirizzo1")));
    header.setValue(QStringLiteral("Localita"), supplier.value(QStringLiteral("Localita1")));
    header.setValue(QStringLiteral("Stato"), supplier.value(QStringLiteral("idStato1")));
    header.setValue(QStringLiteral("PV"), supplier.value(QStringLiteral("idPV1")));
    header.setValue(QStringLiteral("CAP"), supplier.value(QStringLiteral("idCAP1")));
}

void CreateWarehouseMovement(CreationState& state)
{
    if (!state.MovementRequested)
        return;

    const CreationRequest& request = state.request;
    state.MovementNumber = state.session.movements.PostStockMovement(
        {request.sourceKindName, request.sourceDataReg, request.sourceNumero, request.sourceNumInt,
         state.SourceRowsTable, request.movementDate, request.movementReason, request.reasonKind}).number;

    Recordset& header = state.TargetHeader;
    const std::optional<QDate> movementDate = parseTypedDate(request.movementDate);
    header.setValue(QStringLiteral("MMDataReg"), movementDate ? QVariant(*movementDate) : QVariant());
    header.setValue(QStringLiteral("MMidCausaleDoc"), request.movementReason);
    header.setValue(QStringLiteral("MMNumInt"), state.MovementNumber);
}
