#include "recordbrowser.h"
#include "documentcommands.h"
#include "drafteditor.h"
#include "components/base/datagrid.h"
#include "components/basecomponent.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/failuremessage.h"
#include "components/reportfailures.h"

#include <QAction>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

DataControl* readOnlyControl(BaseComponent* base, const QString& name, QObject* parent)
{
    auto* data = new DataControl(parent);
    data->setObjectName(name);
    data->DatabaseName = base->DataDbPath;
    data->Connect = base->ConnectString;
    data->RecordsetType = Recordset::Type::Snapshot;
    data->ReadOnly = true;
    return data;
}

DataGrid* gridFor(DataControl* data, const QString& name, const QString& layout, const QString& layoutFile,
                  QWidget* parent)
{
    auto* grid = new DataGrid(parent);
    grid->setObjectName(name);
    grid->setDataSource(data);
    grid->LoadLayout(layout, layoutFile);
    return grid;
}

} // namespace

RecordBrowser::RecordBrowser(BaseComponent* base, BrowserSpec spec, QWidget* parent)
    : QWidget(parent), m_base(base), m_spec(std::move(spec))
{
    const QString layoutFile = base->AppPath + QStringLiteral("/Layout.grx");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* refresh = toolbar->addAction(QStringLiteral("Aggiorna"));
    refresh->setObjectName(QStringLiteral("BAggiorna"));
    m_rows = readOnlyControl(base, QStringLiteral("DataTestate"), this);
    if (m_spec.editor)
        addEditing(toolbar);
    if (!m_spec.documentKind.isEmpty())
        (new DocumentCommands(base, m_spec, m_rows, this))->addActions(toolbar);
    if (m_spec.followsMovements)
        connect(base, &BaseComponent::movementsChanged, this, [this] { reportFailures(m_base->AppTitle, [this] { load(); }); });
    QAction* leave = toolbar->addAction(QStringLiteral("Esci"));
    leave->setObjectName(QStringLiteral("BEsci"));
    connect(refresh, &QAction::triggered, this, &RecordBrowser::load);
    connect(leave, &QAction::triggered, this, &RecordBrowser::leaveRequested);
    layout->addWidget(toolbar);

    // Widgets made in a splitter are its panes, in the order made: the list above its rows.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_rowsGrid = gridFor(m_rows, QStringLiteral("TDBGTestate"), m_spec.rowsLayout, layoutFile, splitter);
    if (m_spec.details) {
        auto* lower = new QWidget(splitter);
        auto* lowerLayout = new QVBoxLayout(lower);
        lowerLayout->setContentsMargins(0, 0, 0, 0);
        auto* caption = new QLabel(m_spec.detailsCaption, lower);
        caption->setObjectName(QStringLiteral("LBLRighe"));
        lowerLayout->addWidget(caption);
        m_details = readOnlyControl(base, QStringLiteral("DataRighe"), this);
        m_detailsGrid = gridFor(m_details, QStringLiteral("TDBGRighe"), m_spec.detailsLayout, layoutFile, lower);
        caption->setBuddy(m_detailsGrid);  // the lower grid is called by its caption, the upper by the screen
        lowerLayout->addWidget(m_detailsGrid);
        connect(m_rows, &DataControl::repositioned, this, &RecordBrowser::loadDetails);
    }
    if (m_editor) {
        m_pages = new QStackedWidget(this);
        m_pages->addWidget(splitter);
        m_pages->addWidget(m_editor);
        layout->addWidget(m_pages, 1);
        m_browseActions = toolbar->actions();
        m_browseActions.removeOne(m_save);
        showEditor(false);
    } else {
        layout->addWidget(splitter, 1);
    }
}

void RecordBrowser::load()
{
    m_rows->RecordSource = m_spec.rows;
    m_rows->Refresh();  // the details follow the row it stands on
    m_rowsGrid->ReBind();
}

void RecordBrowser::loadDetails()
{
    if (!m_details)
        return;
    const Recordset& picked = m_rows->recordset();
    try {
        if (!m_rows->isOpen() || picked.isBOF() || picked.isEOF()) {
            m_details->close();
        } else {
            m_details->RecordSource = m_spec.details(*m_rows);
            m_details->Refresh();
        }
    } catch (const DatabaseError& e) {
        m_details->close();
        Platform::instance().refuse(failureMessage(e), m_base->AppTitle);
    }
    m_detailsGrid->ReBind();
}
