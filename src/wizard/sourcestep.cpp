#include "autocomp.h"
#include "errorbar.h"
#include "common/datacontrol.h"
#include "components/gridview.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "components/failuremessage.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>

// Step 3 opens on the documents from the first of this month to the end of the year.
void AutoComp::PrepareSourceStep()
{
    const QDate today = Platform::instance().today();
    RicDT1->setText(QStringLiteral("01/") + QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'))
                    + QStringLiteral("/") + QString::number(today.year()));
    RicDT2->setText(QStringLiteral("31/12/") + QString::number(today.year()));
    RefreshSourceList();
    applyGridLayout(GridRic, gridLayout(QDir(base()->AppPath).filePath(QStringLiteral("Layout.grx"))));
}

// The named layout of the grid; the file is read again only when it has changed.
std::optional<GridLayout> AutoComp::gridLayout(const QString& layoutFile)
{
    const QDateTime stamp = QFileInfo(layoutFile).lastModified();
    if (layoutFile != m_layoutFile || stamp != m_layoutStamp || GridLayoutName != m_layoutName) {
        m_layout = loadGridLayout(layoutFile, GridLayoutName);
        m_layoutFile = layoutFile;
        m_layoutStamp = stamp;
        m_layoutName = GridLayoutName;
    }
    return m_layout;
}

// Reads the list again: with the range typed when it is accepted, else with the range of the
// list on screen.
void AutoComp::RefreshSourceList()
{
    BuildSourceQuery(SourceType);
    if (m_listRange.sourceType == SourceKind::None)
        return;
    DataRicerche->RecordSource = sourceListQuery(m_listRange);
    try {
        m_sourceList->open(dataArchive(), m_listRange);
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), base()->AppTitle);
        return;
    }
    if (m_sourceList->rowCount() > 0)
        GridRic->selectRow(0);
}

void AutoComp::BuildSourceQuery(SourceKind sourceType)
{
    if (ValidateDateRange())
        return;
    m_listRange = {sourceType, *parseTypedDate(RicDT1->displayText()), *parseTypedDate(RicDT2->displayText())};
    WorkText = sourceListQuery(m_listRange).jetText();
}

void AutoComp::refuseRange(const QString& message, QWidget* field)
{
    ErrBarRic->setText(message);
    base()->FocusAndSelectAll(field);
}

// True when the range is refused. A range of one day is a range.
bool AutoComp::ValidateDateRange()
{
    ErrBarRic->setText(QString());
    const std::optional<QDate> from = parseTypedDate(RicDT1->displayText());
    if (!from) {
        refuseRange(QStringLiteral("Errore : Data Richiesta Errata"), RicDT1);
        return true;
    }
    const std::optional<QDate> to = parseTypedDate(RicDT2->displayText());
    if (!to) {
        refuseRange(QStringLiteral("Errore : Data Richiesta Errata"), RicDT2);
        return true;
    }
    if (*from > *to) {
        refuseRange(QStringLiteral("Errore : Data Inizio Richiesta > Data Fine Richiesta"), RicDT1);
        return true;
    }
    return false;
}

// The row chosen in the grid: the current one, the first while none is.
int AutoComp::chosenRow() const
{
    if (m_sourceList->rowCount() == 0)
        return -1;
    const QModelIndex current = GridRic->currentIndex();
    return current.isValid() ? current.row() : 0;
}
