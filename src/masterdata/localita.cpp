#include "localita.h"
#include "localitagrid.h"
#include "components/reportfailures.h"
#include "common/database.h"
#include "common/datacontrol.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The record lock of a row of a localities table, by its key columns as stored.
std::function<std::optional<HeldLock>(const DataGridModel::RowValues&)> rowLock(BaseComponent* base, const char* table,
                                                                              QStringList keys)
{
    return [base, table, keys](const DataGridModel::RowValues& row) {
        LockIdentity id;
        id.owner = QStringLiteral("BREVANO V");
        id.screenTitle = QStringLiteral("Località geografiche");
        id.table = QString::fromLatin1(table);
        for (int i = 0; i < keys.size(); ++i) {
            id.keyFields[i] = keys[i];
            id.keyValues[i] = row.value(keys[i]).toString();
            id.keyKinds[i] = 1;
        }
        return HeldLock::take(*base, id);
    };
}

void toUpper(DataGridModel::RowValues& row, const char* field)
{
    QVariant& value = row[QString::fromLatin1(field)];
    if (!value.isNull())
        value = value.toString().toUpper();
}

} // namespace

Localita::Localita(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent)
{
    setObjectName(QStringLiteral("Localita"));
    m_dataStati = addDataControl(QStringLiteral("DataStati"), "Stati");
    m_dataPV = addDataControl(QStringLiteral("DataPV"), "Provincie");
    m_dataCAP = addDataControl(QStringLiteral("DataCAP"), "CAP");

    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("TabToolbar"));
    QAction* exit = toolbar->addAction(QStringLiteral("   Esci   "));
    exit->setObjectName(QStringLiteral("BEsci"));
    connect(exit, &QAction::triggered, this, &Localita::BEsci);
    layout->addWidget(toolbar);

    auto* grids = new QHBoxLayout;
    layout->addLayout(grids);
    auto column = [&] {
        auto* w = new QWidget(this);
        grids->addWidget(w);
        return w;
    };
    m_tStati = addGrid(QStringLiteral("TStati"), m_dataStati, QStringLiteral("STATI"),
                       {{QStringLiteral("id"), QStringLiteral("Stato")},
                        {QStringLiteral("Descrizione"), QStringLiteral("Nome Stato")}},
                       column());
    m_tPV = addGrid(QStringLiteral("TPV"), m_dataPV, QStringLiteral("PROVINCIE"),
                    {{QStringLiteral("id"), QStringLiteral("Prov.")},
                     {QStringLiteral("Descrizione"), QStringLiteral("Nome Provincia")}},
                    column());
    m_tCAP = addGrid(QStringLiteral("TCAP"), m_dataCAP, QStringLiteral("C.A.P."),
                     {{QStringLiteral("CAP"), QStringLiteral("C.A.P.")},
                      {QStringLiteral("Descrizione"), QStringLiteral("Nome Località")}},
                     column());

    m_tStati->gridModel()->lockRow = rowLock(base, "Stati", {QStringLiteral("id")});
    m_tPV->gridModel()->lockRow = rowLock(base, "Provincie", {QStringLiteral("id")});
    m_tCAP->gridModel()->lockRow =
        rowLock(base, "CAP", {QStringLiteral("idProvincia"), QStringLiteral("CAP"), QStringLiteral("Descrizione")});
    m_tPV->keysAccepted = [this] { return stateCurrent(); };
    m_tCAP->keysAccepted = [this] { return stateCurrent() && provinceCurrent(); };

    m_tStati->gridModel()->beforeUpdate = [](DataGridModel::RowValues& row) {
        toUpper(row, "id");
        toUpper(row, "Descrizione");
    };
    m_tPV->gridModel()->beforeUpdate = [this](DataGridModel::RowValues& row) {
        row[QStringLiteral("idStato")] = currentId(m_dataStati);
        toUpper(row, "id");
        toUpper(row, "Descrizione");
    };
    // A state or province given a new code takes its provinces and postal codes along.
    m_tStati->gridModel()->afterUpdate = [this](const DataGridModel::RowValues& before,
                                                const DataGridModel::RowValues& after) {
        const QVariant from = before.value(QStringLiteral("id")), to = after.value(QStringLiteral("id"));
        if (from == to)
            return;
        const Database db = m_dataStati->database();
        db.execute(JetQuery("UPDATE Provincie SET idStato = ") << Jet::text(to.toString()) << " WHERE idStato = "
                                                                << Jet::text(from.toString()));
        db.execute(JetQuery("UPDATE CAP SET idStato = ") << Jet::text(to.toString()) << " WHERE idStato = "
                                                          << Jet::text(from.toString()));
    };
    m_tPV->gridModel()->afterUpdate = [this](const DataGridModel::RowValues& before,
                                             const DataGridModel::RowValues& after) {
        const QVariant from = before.value(QStringLiteral("id")), to = after.value(QStringLiteral("id"));
        if (from == to)
            return;
        m_dataPV->database().execute(JetQuery("UPDATE CAP SET idProvincia = ")
                                     << Jet::text(to.toString()) << " WHERE idStato = "
                                     << Jet::text(after.value(QStringLiteral("idStato")).toString())
                                     << " AND idProvincia = " << Jet::text(from.toString()));
    };
    m_tCAP->gridModel()->beforeUpdate = [this](DataGridModel::RowValues& row) {
        if (stateCurrent() && provinceCurrent()) {
            row[QStringLiteral("idStato")] = currentId(m_dataStati);
            row[QStringLiteral("idProvincia")] = currentId(m_dataPV);
        }
        toUpper(row, "Descrizione");
    };

    connect(m_tStati, &LocalitaGrid::rowEntered, this, [this] {
        reportFailures(this->base()->AppTitle, [this] { statesMoved(); });
    });
    connect(m_tPV, &LocalitaGrid::rowEntered, this, [this] {
        reportFailures(this->base()->AppTitle, [this] { provincesMoved(); });
    });
    const std::pair<LocalitaGrid*, QString> failures[] = {
        {m_tStati, QStringLiteral("Codice Stato Duplicato")},
        {m_tPV, QStringLiteral("Codice Provincia Duplicato")},
        {m_tCAP, QStringLiteral("Codice Cap Duplicato")},
    };
    for (const auto& [grid, message] : failures) {
        connect(grid, &LocalitaGrid::writeFailed, this,
                [this, message, grid](DataGridModel::WriteResult result) {
                    writeFailed(result, message, grid->gridModel());
                });
        connect(grid, &LocalitaGrid::turnedTo, this, [this, grid] { turnedTo(grid); });
    }
}

DataControl* Localita::addDataControl(const QString& name, const char* table)
{
    auto* data = new DataControl(this);
    data->setObjectName(name);
    data->RecordSource = JetQuery("SELECT * FROM ") << Jet::table(QString::fromLatin1(table));
    return data;
}

LocalitaGrid* Localita::addGrid(const QString& name, DataControl* data, const QString& caption,
                                QVector<DataGridModel::Column> columns, QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(caption, column);
    title->setObjectName(name + QStringLiteral("Caption"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* grid = new LocalitaGrid(base(), data, std::move(columns), column);
    grid->setObjectName(name);
    title->setBuddy(grid);  // each grid is called by its caption, for screen readers
    layout->addWidget(grid);
    return grid;
}

bool Localita::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Località geografiche")))
        return false;
    for (DataControl* data : {m_dataStati, m_dataPV, m_dataCAP}) {
        data->DatabaseName = base()->DataDbPath;
        data->Connect = base()->ConnectString;
    }
    m_dataStati->Refresh();
    m_tStati->reload();
    statesMoved();
    return true;
}

QString Localita::currentId(DataControl* data) const
{
    return data->recordset().value(QStringLiteral("id")).toString();
}

bool Localita::stateCurrent() const
{
    const Recordset& rs = m_dataStati->recordset();
    return m_dataStati->isOpen() && !rs.isBOF() && !rs.isEOF()
           && !rs.value(QStringLiteral("id")).isNull();
}

bool Localita::provinceCurrent() const
{
    const Recordset& rs = m_dataPV->recordset();
    return m_dataPV->isOpen() && !rs.isBOF() && !rs.isEOF()
           && !rs.value(QStringLiteral("id")).isNull();
}

void Localita::statesMoved()
{
    if (stateCurrent()) {
        m_dataPV->RecordSource = (JetQuery("Select * From ") << Jet::table(QStringLiteral("Provincie")) << " Where idStato=") << Jet::text(currentId(m_dataStati));
        m_dataPV->Refresh();
    } else {
        m_dataPV->close();
    }
    m_tPV->reload();
    provincesMoved();
}

void Localita::provincesMoved()
{
    if (m_tCAP->hasPendingEdit())
        return;
    if (stateCurrent() && provinceCurrent()) {
        m_dataCAP->RecordSource = (JetQuery("Select * From ") << Jet::table(QStringLiteral("CAP")) << " Where idStato=") << Jet::text(currentId(m_dataStati))
                                  << " AND idProvincia=" << Jet::text(currentId(m_dataPV));
        m_dataCAP->Refresh();
    } else if (!provinceCurrent()) {
        m_dataCAP->close();
    }
    m_tCAP->reload();
}

bool Localita::anyPendingEdit() const
{
    return m_tStati->hasPendingEdit() || m_tPV->hasPendingEdit() || m_tCAP->hasPendingEdit();
}

void Localita::DiscardGridEdits()
{
    for (LocalitaGrid* grid : {m_tStati, m_tPV, m_tCAP})
        if (grid->hasPendingEdit())
            grid->discardEdits();
}

void Localita::turnedTo(LocalitaGrid* grid)
{
    for (LocalitaGrid* other : {m_tStati, m_tPV, m_tCAP})
        if (other != grid && other->hasPendingEdit()) {
            DiscardGridEdits();
            return;
        }
}

void Localita::writeFailed(DataGridModel::WriteResult result, const QString& duplicateMessage,
                           const DataGridModel* grid)
{
    QString message = duplicateMessage;
    if (result == DataGridModel::WriteResult::EmptyColumn)
        message = QStringLiteral("Inserire Entrambi i Campi");
    else if (result == DataGridModel::WriteResult::Failed && grid->lastFailure())
        message = failureMessage(*grid->lastFailure());
    Platform::instance().refuse(message, base()->AppTitle);
}

void Localita::BEsci()
{
    if (anyPendingEdit()) {
        if (!Platform::instance().askDestructive(QStringLiteral("Dati in Modifica. Uscire comunque ?"), base()->AppTitle))
            return;
        DiscardGridEdits();
    }
    close();
}

bool Localita::queryUnload()
{
    if (anyPendingEdit()) {
        Platform::instance().inform(QStringLiteral("Dati in Modifica, le Modifiche verranno Perse"), base()->AppTitle);
        DiscardGridEdits();
    }
    return true;
}
