#include "autocomp.h"
#include "errorbar.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "common/recordset.h"
#include "components/failuremessage.h"

#include <QLineEdit>

namespace {

// The sign a movement reason must have for the document created: goods leave with an invoice
// or a delivery note and come in with a purchase, a credit note or a supplier order.
QString requiredSign(TargetKind targetType)
{
    switch (targetType) {
    case TargetKind::ImmediateInvoice:
    case TargetKind::AccompanyingInvoice:
    case TargetKind::DeliveryNote: return QStringLiteral("-");
    case TargetKind::PurchaseInvoice:
    case TargetKind::CreditNote:
    case TargetKind::SupplierOrder: return QStringLiteral("+");
    default: return QString();
    }
}

} // namespace

void AutoComp::refuseMovement(const QString& message, QWidget* field)
{
    ErrBar2->setText(message);
    base()->FocusAndSelectAll(field);
}

// The warehouse movement of step 2: both fields empty ask for none; otherwise the date must
// fall in the fiscal year and the reason must exist with the sign the document needs.
bool AutoComp::ValidateMovement()
{
    if (tDtMag->displayText() == EmptyMaskedDate && tCauMag->text().isEmpty())
        return true;
    const std::optional<QDate> date = parseTypedDate(tDtMag->displayText());
    if (!date) {
        refuseMovement(QStringLiteral("Data Movimento Magazzino Errata"), tDtMag);
        return false;
    }
    try {
        const Database archive = dataArchive();
        {
            Recordset years = Recordset::openTable(archive, QStringLiteral("Esercizio"), true);
            if (!years.FindFirst(JetQuery("Codice = ") << Jet::text(base()->FiscalYear))) {
                refuseMovement(QStringLiteral("Esercizio Azienda non Definito"), tDtMag);
                return false;
            }
            if (*date < storedDate(years.value(QStringLiteral("DTIn")))
                || *date > storedDate(years.value(QStringLiteral("DTFi")))) {
                refuseMovement(QStringLiteral("Data Movimento Magazzino Errata per Esercizio"), tDtMag);
                return false;
            }
        }
        if (!tCauMag->text().isEmpty() && tDescCauMag->text().isEmpty()) {
            refuseMovement(QStringLiteral("Causale Mov. Magazzino Errata"), tCauMag);
            return false;
        }
        Recordset reasons = Recordset::openTable(archive, QStringLiteral("CauMag"), true);
        if (!reasons.FindFirst(JetQuery("Codice = ") << Jet::text(tCauMag->text()))) {
            refuseMovement(QStringLiteral("Causale Mov. Magazzino Errata"), tCauMag);
            return false;
        }
        // The sign is one character, "+" or "-": anything else fits no document.
        if (reasons.value(QStringLiteral("Segno")).toString() != requiredSign(TargetType)) {
            refuseMovement(QStringLiteral("Causale con Segno Operazione Errata"), tCauMag);
            return false;
        }
        ReasonKind = reasons.value(QStringLiteral("Tipo")).toString();
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), base()->AppTitle);
        return false;
    }
    MovementRequested = true;
    return true;
}

void AutoComp::reasonChanged()
{
    base()->IncrementalSearch(QStringLiteral("Codice"), tCauMag, tDescCauMag, QStringLiteral("CauMag"), DataRicerche,
                              QStringLiteral("desc"), true);
}

void AutoComp::searchReason()
{
    WorkText = base()->ShowLookup(24, JetQuery("-1"));
    if (!WorkText.isEmpty()) {
        Platform::instance().refuse(WorkText, base()->AppTitle);
        return;
    }
    if (!base()->DialogResult.isEmpty())
        tCauMag->setText(base()->DialogResult);
}
