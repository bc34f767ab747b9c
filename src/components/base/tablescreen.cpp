#include "tablescreen.h"
#include "datagrid.h"
#include "fieldpanel.h"
#include "recordrows.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "common/transaction.h"
#include "components/reportfailures.h"
#include "components/screenframe.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The toolbar keys and captions of the maintenance screens.
const struct
{
    const char* key;
    const char* caption;
} ToolbarButtons[] = {
    {"BNuovo", "Nuovo"},   {"BModifica", " Modifica "}, {"BAnnulla", "Annulla"}, {"BSalva", "Salva"},
    {"BElimina", "Elimina"}, {"BPrimo", "Primo"},       {"BIndietro", "Prec."},  {"BAvanti", "Succ."},
    {"BUltimo", "Ultimo"}, {"BEsci", "Esci"},
};

const QString AddingDiscarded = QStringLiteral("E' Stato Inserito un Nuovo Record.");
const QString EditingDiscarded = QStringLiteral("I Dati Sono Stati Modificati.");

} // namespace

TableScreen::TableScreen(BaseComponent* base, const QString& name, const QVector<Panel>& panels, QWidget* parent)
    : ChildScreen(base, parent), m_data(new DataControl(this))
{
    setObjectName(name);
    m_data->setObjectName(QStringLiteral("DataTabelle"));
    m_data->Connect = base->ConnectString;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_toolbar = buildToolbar();
    layout->addWidget(m_toolbar);

    m_currency = new QLabel(this);
    m_currency->setObjectName(QStringLiteral("lblValuta"));
    m_currency->hide();
    layout->addWidget(m_currency);

    // Widgets made in a splitter are its panes, in the order made: the list above the details.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_grid = new DataGrid(splitter);
    m_grid->setObjectName(QStringLiteral("TDBGTabella"));
    m_grid->setDataSource(m_data);
    m_details = new QScrollArea(splitter);
    QScrollArea* scroller = m_details;
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);  // no stop of its own on the way to its fields
    auto* holder = new QWidget;
    auto* holderLayout = new QVBoxLayout(holder);
    for (const Panel& p : panels) {
        auto* panel = new FieldPanel(base, *p.table, holder);
        panel->setObjectName(p.name);
        panel->hide();
        holderLayout->addWidget(panel);
        connect(panel, &FieldPanel::shown, this, &TableScreen::showCurrent);
        m_panels << panel;
    }
    holderLayout->addStretch();
    scroller->setWidget(holder);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("ErrorBar"));
    bar->setSizeGripEnabled(false);
    m_message = new QLabel(bar);
    m_message->setObjectName(QStringLiteral("ErrorBar_1"));
    bar->addWidget(m_message, 1);
    layout->addWidget(bar);

    connect(m_data, &DataControl::repositioned, this, &TableScreen::onRepositioned);
    resize(640, 520);
    setEditMode(false);
}

TableScreen::~TableScreen()
{
    if (m_editing)
        --base()->EditingScreenCount;
}

QToolBar* TableScreen::buildToolbar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("AnagToolbar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QHash<QByteArray, QAction*> actions;
    for (const auto& b : ToolbarButtons) {
        QAction* action = bar->addAction(QString::fromUtf8(b.caption));
        action->setObjectName(QString::fromUtf8(b.key));
        actions.insert(b.key, action);
    }
    auto on = [&actions](const char* key) { return actions.value(key); };
    connect(on("BNuovo"), &QAction::triggered, this, &TableScreen::addRow);
    connect(on("BModifica"), &QAction::triggered, this, &TableScreen::editRow);
    connect(on("BSalva"), &QAction::triggered, this, &TableScreen::saveRow);
    connect(on("BAnnulla"), &QAction::triggered, this, &TableScreen::cancelEdit);
    connect(on("BElimina"), &QAction::triggered, this, &TableScreen::deleteRow);
    connect(on("BPrimo"), &QAction::triggered, this, [this] { say({}); m_data->moveFirst(); });
    connect(on("BIndietro"), &QAction::triggered, this, [this] { say({}); m_data->movePrevious(); });
    connect(on("BAvanti"), &QAction::triggered, this, [this] { say({}); m_data->moveNext(); });
    connect(on("BUltimo"), &QAction::triggered, this, [this] { say({}); m_data->moveLast(); });
    connect(on("BEsci"), &QAction::triggered, this, &QWidget::close);
    return bar;
}

void TableScreen::setRecordRows(RecordRows* rows)
{
    m_rows = rows;
    qobject_cast<QSplitter*>(m_grid->parentWidget())->addWidget(rows->widget());
}

bool TableScreen::openOn(const QString& caption, const QString& archive, const TableDefinition& table)
{
    if (!openScreen(caption))
        return false;
    m_data->DatabaseName = archive;
    JetQuery source;
    source << "SELECT * FROM " << Jet::table(table.table);
    source.orderBy(QStringLiteral(" ORDER BY "), {{table.fields.first().column, true}});
    m_data->RecordSource = source;
    m_data->Refresh();
    ArrangeControls();
    m_panels.first()->show();
    fitDetails();
    m_grid->LoadLayout(table.layoutName, base()->AppPath + QStringLiteral("/Layout.grx"));
    m_grid->ReBind();
    showCurrent();
    return true;
}

bool TableScreen::mayLeaveTable()
{
    return queryUnload();
}

void TableScreen::setCurrencyCaption(const QString& caption)
{
    m_currency->setText(caption);
    m_currency->setVisible(!caption.isEmpty());
}

void TableScreen::readRows(const QString& archive, const JetQuery& source)
{
    m_data->DatabaseName = archive;
    m_data->RecordSource = source;
    m_data->Refresh();
}

void TableScreen::showPanel(qint16 number)
{
    for (FieldPanel* p : m_panels)
        if (p->objectName() == QStringLiteral("PanDati_%1").arg(number))
            p->show();
    fitDetails();
}

void TableScreen::fitDetails()
{
    // The detail panel shows whole: its fields are what the user reads and types.
    const FieldPanel* panel = activePanel();
    const QSize wanted = panel->sizeHint() + QSize(2 * m_details->frameWidth() + 24, 2 * m_details->frameWidth() + 24);
    m_details->setMinimumSize(wanted);
    fitFrame();
}

void TableScreen::useGridLayout(const QString& layoutName, const QString& layoutFile)
{
    m_grid->LoadLayout(layoutName, layoutFile);
    m_grid->ReBind();
    fitFrame();
}

void TableScreen::ArrangeControls()
{
    for (FieldPanel* p : m_panels)
        p->hide();
    say({});
}

FieldPanel* TableScreen::activePanel() const
{
    for (FieldPanel* p : m_panels)
        if (!p->isHidden())
            return p;
    return nullptr;
}

void TableScreen::say(const QString& message)
{
    ScreenFrame::announce(m_message, message);
}

LockIdentity TableScreen::rowLock() const
{
    const FieldPanel* panel = activePanel();
    const QString keyColumn = panel->definition().fields.first().column;
    LockIdentity id;
    id.owner = QStringLiteral("BREVANO V");
    // The title after the program's: "Anagrafica Clienti", "Gestione Accessi".
    id.screenTitle = windowTitle().section(QStringLiteral(" : "), 1);
    id.table = panel->definition().table;
    id.keyFields[0] = keyColumn;
    id.keyValues[0] = keyOfCurrentRow();
    id.keyKinds[0] = 1;
    // Tables of the user archive (the users) name it; the company archive's are the empty slot.
    if (m_data->DatabaseName == base()->UserDbPath)
        id.archive = base()->UserDbPath;
    return id;
}

QString TableScreen::keyOfCurrentRow() const
{
    const Recordset& rs = m_data->recordset();
    if (!m_data->isOpen() || (rs.editMode() == Recordset::EditMode::None && (rs.isBOF() || rs.isEOF())))
        return {};
    return rs.value(activePanel()->definition().fields.first().column).toString();
}

// Moves onto the row of this key as the archive holds it now; false when it is gone.
bool TableScreen::readRowAgain(const QString& key)
{
    m_data->Refresh();
    const bool found = m_data->findFirst(JetQuery() << Jet::identifier(rowLock().keyFields[0]) << " = " << Jet::text(key));
    m_grid->ReBind();
    return found;
}

void TableScreen::setEditMode(bool editing)
{
    // However the edit ends, the row's lock goes with it.
    if (!editing)
        m_lock.reset();
    if (editing != m_editing) {
        m_editing = editing;
        editing ? ++base()->EditingScreenCount : --base()->EditingScreenCount;
    }
    const Recordset& rs = m_data->recordset();
    const bool onRow = m_data->isOpen() && !rs.isBOF() && !rs.isEOF();
    for (QAction* a : m_toolbar->actions()) {
        const QString key = a->objectName();
        if (key == QLatin1String("BSalva") || key == QLatin1String("BAnnulla"))
            a->setEnabled(editing);
        else if (key == QLatin1String("BModifica") || key == QLatin1String("BElimina"))
            a->setEnabled(!editing && onRow);
        else if (key == QLatin1String("BNuovo"))
            a->setEnabled(!editing && m_data->isOpen());
        else
            a->setEnabled(!editing);
    }
    for (FieldPanel* p : m_panels)
        p->setEditing(editing);
    if (m_rows)
        m_rows->setEditing(editing);
    m_grid->setEnabled(!editing);
}

void TableScreen::showCurrent()
{
    if (FieldPanel* panel = activePanel(); panel && !m_editing) {
        panel->showRow(m_data->recordset());
        if (m_rows)
            m_rows->showFor(keyOfCurrentRow());
    }
}

void TableScreen::onRepositioned()
{
    Recordset& rs = m_data->recordset();
    if (m_data->isOpen() && !rs.isEmpty()) {
        if (rs.isBOF())
            rs.MoveFirst();
        else if (rs.isEOF())
            rs.MoveLast();
    }
    showCurrent();
    setEditMode(m_editing);
}

void TableScreen::addRow()
{
    FieldPanel* panel = activePanel();
    if (!panel)
        return;
    say({});
    try {
        m_data->recordset().AddNew();
    } catch (const DatabaseError& e) {
        say(failureMessage(e));
        return;
    }
    panel->clearFields();
    if (m_rows)
        m_rows->showFor({});
    setEditMode(true);
    base()->FocusAndSelectAll(panel->keyField());
    editStarted();
}

void TableScreen::editRow()
{
    FieldPanel* panel = activePanel();
    if (!panel)
        return;
    say({});
    std::optional<HeldLock> lock;
    try {
        lock = HeldLock::take(*base(), rowLock());
        // The edit starts from the row as stored now: another workstation may have changed it.
        if (!lock || !readRowAgain(lock->identity().keyValues[0]))
            return;
        m_data->recordset().Edit();
    } catch (const DatabaseError& e) {
        say(failureMessage(e));
        return;
    }
    setEditMode(true);
    m_lock = std::move(lock);
    panel->setKeyEditable(false);
    if (panel->definition().fields.size() > 1)
        base()->FocusAndSelectAll(panel->field(panel->definition().fields[1].column));
    editStarted();
}

void TableScreen::saveRow()
{
    FieldPanel* panel = activePanel();
    if (!panel)
        return;
    say({});
    Recordset& rs = m_data->recordset();
    const bool adding = rs.editMode() == Recordset::EditMode::Adding;
    for (bool saved = false, checked = false; !saved; checked = true) {
        try {
            if (const auto refusal = panel->validate(adding, m_data->database())) {
                say(refusal->message);
                base()->FocusAndSelectAll(refusal->field);
                return;
            }
            if (const QString refused = m_rows ? m_rows->refusal(m_data->database()) : QString(); !refused.isEmpty()) {
                say(refused);
                return;
            }
            if (!checked && !mayStore(*panel, rs))
                return;
            panel->store(rs, adding);
            // The record and its rows are written together or not at all.
            WriteTransaction write(m_data->database());
            if (m_rows)
                m_rows->write(m_data->database(), keyOfCurrentRow());
            rs.Update();
            write.commit();
            saved = true;
        } catch (const DatabaseError& e) {
            // The row stays pending with everything typed: the user corrects it and saves again.
            if (e.kind() == DatabaseError::Kind::Busy && askToRetryBusyArchive(e, base()->AppTitle))
                continue;
            if (e.kind() == DatabaseError::Kind::Constraint && adding) {
                say(QStringLiteral("Codice già esistente"));
                base()->FocusAndSelectAll(panel->keyField());
            } else {
                say(failureMessage(e));
            }
            return;
        }
    }
    setEditMode(false);
    panel->setKeyEditable(true);
    m_grid->ReBind();
    m_data->moveTo(rs.LastModified());
}

void TableScreen::cancelEdit()
{
    m_data->recordset().CancelUpdate();
    say({});
    setEditMode(false);
    if (FieldPanel* panel = activePanel())
        panel->setKeyEditable(true);
    m_data->notifyReposition();
}

void TableScreen::deleteRow()
{
    say({});
    FieldPanel* panel = activePanel();
    try {
        if (!panel || !mayDelete(*panel)
            || !Platform::instance().askDestructive(QStringLiteral("Si Desidera Cancellare il Record Corrente?"), base()->AppTitle))
            return;
        WriteTransaction write(m_data->database());
        if (m_rows)
            m_rows->remove(m_data->database(), keyOfCurrentRow());
        m_data->recordset().Delete();
        write.commit();
        m_data->recordset().MoveFirst();
    } catch (const DatabaseError& e) {
        say(failureMessage(e));
        return;
    }
    m_grid->ReBind();
    m_data->notifyReposition();
}

bool TableScreen::queryUnload()
{
    if (!m_editing)
        return true;
    const bool adding = m_data->recordset().editMode() == Recordset::EditMode::Adding;
    const QString question = (adding ? AddingDiscarded : EditingDiscarded)
                             + QStringLiteral("\r\rSi Desidera Uscire Perdendo le Modifiche?");
    if (!Platform::instance().askDestructive(question, base()->AppTitle))
        return false;
    // Also asked before another table takes the screen, which then stays open.
    m_data->recordset().CancelUpdate();
    setEditMode(false);
    return true;
}
