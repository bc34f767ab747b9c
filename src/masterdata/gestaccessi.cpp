#include "gestaccessi.h"
#include "components/gridview.h"
#include "datagridmodel.h"
#include "components/reportfailures.h"
#include "common/datacontrol.h"

#include <QAction>
#include <QDateTime>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The grid's columns, in order; sorting takes the field of the clicked one.
const char* const GridFields[] = {"Ore", "User", "Postazione", "Modulo", "DescFrm"};
const char* const GridHeadings[] = {"Ore", "User", "Postazione", "Modulo", "Modifica"};

QString shownMoment(const QVariant& stored)
{
    const QDateTime moment = QDateTime::fromString(stored.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return moment.isValid() ? moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : stored.toString();
}

} // namespace

GestAccessi::GestAccessi(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent)
{
    setObjectName(QStringLiteral("GestAccessi"));
    m_data = new DataControl(this);
    m_data->setObjectName(QStringLiteral("DataTabelle"));
    m_data->RecordSource = (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Accessi")));
    connect(m_data, &DataControl::repositioned, this, [this] {
        if (!m_syncing)
            reportFailures(this->base()->AppTitle, [this] { repositioned(); });
    });

    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("CB_Tabella"));
    layout->addWidget(toolbar);
    const struct
    {
        const char* key;
        const char* caption;
        void (GestAccessi::*handler)();
        bool onRow;   // acts on the current row: disabled while there is none
    } buttons[] = {
        {"BPrimo", "Primo", &GestAccessi::BPrimo, true},       {"BPrec", "Prec.", &GestAccessi::BPrec, true},
        {"BSucc", "Succ.", &GestAccessi::BSucc, true},         {"BUltimo", "Ultimo", &GestAccessi::BUltimo, true},
        {"BElimina", "Elimina", &GestAccessi::BElimina, true}, {"BRefresh", "  Refresh  ", &GestAccessi::BRefresh, false},
        {"BEsci", "Esci", nullptr, false},
    };
    for (const auto& b : buttons) {
        QAction* action = addButton(b.key, QString::fromLatin1(b.caption), b.handler);
        if (b.onRow)
            m_rowCommands << action;
        toolbar->addAction(action);
    }

    QVector<DataGridModel::Column> columns;
    for (int c = 0; c < 5; ++c)
        columns.push_back({QString::fromLatin1(GridFields[c]), QString::fromLatin1(GridHeadings[c])});
    columns[0].show = shownMoment;
    m_model = new DataGridModel(m_data, columns, false, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("TDBGTabella"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionsClickable(true);
    connect(m_model, &QAbstractItemModel::modelReset, m_grid, [this] { fitColumns(m_grid); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        reportFailures(this->base()->AppTitle, [this, column] { sortBy(column); });
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid())
                    m_model->moveDataTo(current.row());
            });
    layout->addWidget(m_grid, 1);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("PanDati"));
    auto* panel = new QGridLayout(m_panel);
    const std::pair<const char*, const char*> fields[] = {
        {"Utente", "User"}, {"Postazione", "Postazione"}, {"Modifica", "DescFrm"}, {"Accesso", "Ore"}, {"Modulo", "Modulo"}};
    int row = 0;
    for (const auto& [caption, field] : fields) {
        auto* value = new QLineEdit(m_panel);
        value->setObjectName(QString::fromLatin1(field));
        value->setReadOnly(true);
        auto* label = new QLabel(QString::fromLatin1(caption), m_panel);
        label->setBuddy(value);
        panel->addWidget(label, row, 0);
        panel->addWidget(value, row++, 1);
    }
    layout->addWidget(m_panel);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("SBMex"));
    statusBar->setSizeGripEnabled(false);
    m_sbMex1 = new QLabel(statusBar);
    m_sbMex1->setObjectName(QStringLiteral("SBMex_1"));
    statusBar->addWidget(m_sbMex1, 1);
    layout->addWidget(statusBar);
}

QAction* GestAccessi::addButton(const char* key, const QString& caption, void (GestAccessi::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(key));
    connect(action, &QAction::triggered, this, [this, handler] {
        m_sbMex1->clear();
        if (handler)
            reportFailures(base()->AppTitle, [this, handler] { (this->*handler)(); });
        else
            close();
    });
    return action;
}

bool GestAccessi::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Gestione Blocco Dati")))
        return false;
    m_data->DatabaseName = base()->UserDbPath;
    m_data->Connect = base()->ConnectString;
    reloadGrid();
    return true;
}

void GestAccessi::showEvent(QShowEvent* event)
{
    ChildScreen::showEvent(event);
    if (m_data->isOpen() && !m_data->recordset().isEmpty())
        base()->PrepareDataControl(m_data, this);
}

void GestAccessi::reloadGrid(const QVariant& current)
{
    {
        const QScopedValueRollback quiet(m_syncing, true);
        m_data->Refresh();
        m_model->reload();
    }
    if (!current.isNull())
        m_data->recordset().FindFirst(JetQuery("id = ") << Jet::number(current.toLongLong()));
    repositioned();
}

QVariant GestAccessi::currentId() const
{
    const Recordset& rs = m_data->recordset();
    return rs.isBOF() || rs.isEOF() ? QVariant() : rs.value(QStringLiteral("id"));
}

bool GestAccessi::lockAnswer(qint16 mode)
{
    LockIdentity id;
    id.owner = QStringLiteral("BREVANO V");
    id.screenTitle = QStringLiteral("Gestione Blocco Dati");
    id.table = QStringLiteral("Accessi");
    id.keyFields[0] = QStringLiteral("id");
    id.keyValues[0] = m_data->recordset().value(QStringLiteral("id")).toString();
    id.archive = base()->UserDbPath;
    return base()->lock(LockMode(mode), id);
}

void GestAccessi::setRowButtons(bool enabled)
{
    for (QAction* command : std::as_const(m_rowCommands))
        command->setEnabled(enabled);
}

void GestAccessi::showRow()
{
    const QScopedValueRollback quiet(m_syncing, true);
    m_grid->setCurrentIndex(m_model->index(m_data->recordset().AbsolutePosition(), 0));
    base()->PrepareDataControl(m_data, this);
}

void GestAccessi::repositioned()
{
    Recordset& rs = m_data->recordset();
    if (rs.isEmpty()) {
        setRowButtons(false);
        base()->PreparePanel(m_panel, this);
        return;
    }
    if (rs.isBOF() || rs.isEOF()) {
        rs.isBOF() ? rs.MoveFirst() : rs.MoveLast();
        setRowButtons(true);
        showRow();
        return;
    }
    if (lockAnswer(qint16(LockMode::Query))) {
        setRowButtons(true);
        showRow();
    }
}

void GestAccessi::move(void (DataControl::*step)())
{
    (m_data->*step)();
}

void GestAccessi::BPrimo() { move(&DataControl::moveFirst); }
void GestAccessi::BPrec() { move(&DataControl::movePrevious); }
void GestAccessi::BSucc() { move(&DataControl::moveNext); }
void GestAccessi::BUltimo() { move(&DataControl::moveLast); }

void GestAccessi::BRefresh()
{
    reloadGrid(currentId());
}

void GestAccessi::BElimina()
{
    if (!lockAnswer(qint16(LockMode::CheckBeforeDelete)))
        return;
    if (!Platform::instance().askDestructive(QStringLiteral("Sicuro di Voler Eliminare il Dato ? "), base()->AppTitle))
        return;
    if (!lockAnswer(qint16(LockMode::CheckBeforeDelete)))
        return;
    m_data->recordset().Delete();
    reloadGrid();
}

void GestAccessi::sortBy(int column)
{
    const QString field = QString::fromLatin1(GridFields[column]);
    const QVariant current = currentId();
    m_data->RecordSource = JetQuery("Select * from ") << Jet::table(QStringLiteral("Accessi"));
    m_data->RecordSource.orderBy(QStringLiteral(" order by "), {{u'[' + field + u']', true}});
    reloadGrid(current);
}
