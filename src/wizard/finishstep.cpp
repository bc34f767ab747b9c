#include "autocomp.h"
#include "errorbar.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "components/failuremessage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

// Step 4 sums up the choices; an empty list has nothing to start from.
void AutoComp::listNext()
{
    const int row = chosenRow();
    if (row < 0) {
        ErrBarRic->setText(QStringLiteral("Nessun Documento da Elaborare...."));
        return;
    }
    LBL[0]->setText(QStringLiteral("Documento di Partenza : "));
    LBL[1]->setText(CBLista2->currentText());
    LBL[2]->setText(QStringLiteral("Del    : ") + typedDate(storedDate(m_sourceList->value(row, QStringLiteral("DataReg")))));
    LBL[3]->setText(QStringLiteral("Numero : ") + m_sourceList->value(row, QStringLiteral("Numero")).toString());
    LBL[4]->setText(QStringLiteral("Creazione del Documento :"));
    LBL[5]->setText(CBLista1->currentText());
    LBL[6]->setText(QStringLiteral("Premere 'Fine' per Elaborare , 'Indietro' per Modificare le Scelte"));
    ShowPage(5, 4);
}

CreationRequest AutoComp::creationRequest() const
{
    const int row = chosenRow();
    CreationRequest request;
    request.sourceType = SourceType;
    request.targetType = TargetType;
    request.sourceKindName = CBLista2->currentText();
    request.sourceDataReg = storedDate(m_sourceList->value(row, QStringLiteral("DataReg")));
    request.sourceNumInt = m_sourceList->value(row, QStringLiteral("NumInt")).toInt();
    request.sourceNumero = m_sourceList->value(row, QStringLiteral("Numero")).toString();
    request.supplierCode = tRicCodFor->text();
    request.supplierKey = tAppoRicFor->text();
    request.movementRequested = MovementRequested;
    request.movementDate = tDtMag->displayText();
    request.movementReason = tCauMag->text();
    request.reasonKind = ReasonKind;
    return request;
}

// A creation that stopped part way keeps what it wrote: the clerk is told which document was
// saved and with how many of its rows, before the reason.
QString AutoComp::partialCreation(const CreationResult& result) const
{
    if (!result.headerSaved)
        return QStringLiteral("Nessun Documento è stato Creato.\r\r");
    return QStringLiteral("La Creazione si è Interrotta: è stato salvato il Documento %1 (%2) con %3 righe.\r"
                          "Completarlo o eliminarlo prima di ritentare.\r\r")
        .arg(CBLista1->currentText(), result.createdSummary, QLocale().toString(result.rowsSaved));
}

void AutoComp::finish()
{
    WorkText = QStringLiteral("Si Desidera Eseguire la Creazione del Documento ?");
    if (!Platform::instance().ask(WorkText, QString()))
        return;
    CreationResult result;
    {
        Hourglass busy;
        result = createDocument(base()->documentSession(), creationRequest());
    }
    NewNumber = result.newNumber;
    MovementNumber = result.movementNumber;
    // One checked movement serves one document: once posted it is not posted again.
    if (result.status == CreationResult::Status::Created || result.movementNumber != 0)
        MovementRequested = false;

    switch (result.status) {
    case CreationResult::Status::Created:
        CreatedSummary = result.createdSummary;
        WorkText = CBLista1->currentText() + QStringLiteral(" Creato in Automatico ") + QStringLiteral("\r\r")
                   + CreatedSummary + QStringLiteral("\r\r") + QStringLiteral("Si Desidera Creare altri Documenti ?");
        if (Platform::instance().ask(WorkText, QStringLiteral("Documento Creato in Automatico"))) {
            startAgain();
        } else {
            CurrentPage = 0;
            close();
        }
        break;
    case CreationResult::Status::SourceMissing:
        Platform::instance().inform(
            QStringLiteral("Il Documento di Partenza non è più presente in archivio.\rNessun Documento è stato Creato."),
            base()->AppTitle);
        break;
    case CreationResult::Status::SourceWithoutRows:
        Platform::instance().inform(
            QStringLiteral("Il Documento di Partenza non contiene righe.\rNessun Documento è stato Creato."),
            base()->AppTitle);
        break;
    case CreationResult::Status::Failed:
        Platform::instance().refuse(partialCreation(result) + failureMessage(*result.failure), base()->AppTitle);
        break;
    }
}

// Another document: back to step 1 with every choice still in place.
void AutoComp::startAgain()
{
    PB[4]->setVisible(false);
    PB[4]->setEnabled(false);
    ErrBar->setText(QString());
    ShowPage(2, 1);
}
