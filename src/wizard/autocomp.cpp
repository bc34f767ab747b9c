#include "autocomp.h"
#include "errorbar.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "documents/documentkinds.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AutoComp::AutoComp(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent)
{
    setObjectName(QStringLiteral("AutoComp"));
    buildPages();
}

bool AutoComp::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Autocomposizione Documenti")))
        return false;
    DataRicerche->DatabaseName = base()->DataDbPath;
    DataRicerche->Connect = base()->ConnectString;
    CurrentPage = 1;
    PB[0]->setVisible(true);
    PB[0]->setEnabled(true);
    return true;
}

void AutoComp::ShowPage(int shown, int hidden)
{
    CurrentPage = qint16(shown);
    PB[shown - 1]->setVisible(true);
    PB[shown - 1]->setEnabled(true);
    PB[hidden - 1]->setVisible(false);
    PB[hidden - 1]->setEnabled(false);
    // The focus leaves with the hidden page: it goes to the first field of the shown one, or to
    // its forward button, never to a button that goes back.
    QWidget* page = PB[shown - 1];
    QWidget* target = m_forward[shown - 1];
    for (QWidget* w = page->nextInFocusChain(); w && w != page && page->isAncestorOf(w); w = w->nextInFocusChain())
        if (!qobject_cast<QPushButton*>(w) && w->isVisibleTo(page) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            target = w;
            break;
        }
    target->setFocus(Qt::OtherFocusReason);
}

bool AutoComp::event(QEvent* e)
{
    if ((e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) && !FirstShowDone && isOpened())
        firstDisplay();
    return ChildScreen::event(e);
}

void AutoComp::firstDisplay()
{
    CMD1->setFocus(Qt::OtherFocusReason);
    CBLista1->setCurrentIndex(0);
    FirstShowDone = true;
}

void AutoComp::keyPressEvent(QKeyEvent* e)
{
    // Enter presses the focused button, or else the page's forward button, as in a dialog (a page
    // of the five is always shown while the wizard is open).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* target = focused && isAncestorOf(focused) ? focused : m_forward[CurrentPage - 1];
        if (target->isVisible() && target->isEnabled())
            target->click();
        return;
    }
    ChildScreen::keyPressEvent(e);
}

bool AutoComp::queryUnload()
{
    if (CurrentPage <= 1)
        return true;
    WorkText = QStringLiteral("Si Desidera Interrompere l' Autocomposizione Guidata dei Documenti ?");
    return Platform::instance().askDestructive(WorkText, QStringLiteral("Uscita da Autocomposizione"));
}

void AutoComp::exitWizard()
{
    close();
}

void AutoComp::welcomeNext()
{
    ErrBar->setText(QString());
    ShowPage(2, 1);
}

// Builds step 2 for the kind chosen in step 1. The supplier and the reason stay as typed; the
// movement date is asked again for every document.
void AutoComp::targetNext()
{
    CBLista2->clear();
    TargetType = TargetKind::None;
    FRMDatiFor->setVisible(false);
    tDtMag->clear();
    FRMDatiMag->setVisible(false);
    ErrBar2->setText(QString());

    const int chosen = CBLista1->currentIndex();
    if (chosen >= 0 && chosen < targetChoices().size()) {
        const TargetChoice& target = targetChoices().at(chosen);
        TargetType = target.targetType;
        CBLista2->addItems(target.sources);
        FRMDatiFor->setVisible(target.supplierFrame);
        FRMDatiMag->setVisible(target.movementFrame);
    }
    ShowPage(3, 2);
}

// Checks step 2 and prepares the list of step 3.
void AutoComp::sourceNext()
{
    ErrBar2->setText(QString());
    if ((TargetType == TargetKind::PurchaseInvoice || TargetType == TargetKind::SupplierOrder) && (tRicCodFor->text().isEmpty() || tRicDescFor->text().isEmpty())) {
        ErrBar2->setText(QStringLiteral("Codice Fornitore Errato"));
        base()->FocusAndSelectAll(tRicCodFor);
        return;
    }
    MovementRequested = false;
    if (!FRMDatiMag->isHidden() && !ValidateMovement())
        return;
    ErrBarRic->setText(QString());
    const SourceChoice* source = sourceChoice(CBLista2->currentText());
    if (!source)
        return;
    SourceType = source->sourceType;
    Text4->setText(source->stepCaption);
    GridLayoutName = source->gridLayoutName;
    PrepareSourceStep();
    ShowPage(4, 3);
    // The list's columns are known now: the window grows to show them.
    fitFrame();
}

// The company archive the base component keeps open for the session: the lists and look-ups of
// the wizard read it without opening a connection of their own each time.
Database AutoComp::dataArchive() const
{
    return base()->dataArchive();
}
