#include "numeratori.h"
#include "components/reportfailures.h"
#include "components/screenframe.h"
#include "common/datacontrol.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString Owner = QStringLiteral("MODULO BASE");
const QString ScreenTitle = QStringLiteral("Gestione Numeratori");

LockIdentity numeratorLock(const QString& kind, const QString& code, const QString& year)
{
    LockIdentity id;
    id.owner = Owner;
    id.screenTitle = ScreenTitle;
    id.table = QStringLiteral("Numeratori");
    id.keyValues[0] = kind;
    id.keyValues[1] = code;
    id.keyValues[2] = year;
    id.keyFields[0] = QStringLiteral("idTipo");
    id.keyFields[1] = QStringLiteral("idCodice");
    id.keyFields[2] = QStringLiteral("idEsercizio");
    id.keyKinds[0] = id.keyKinds[1] = id.keyKinds[2] = 1;
    return id;
}

JetQuery numeratorKey(const QString& kind, const QString& code, const QString& year)
{
    return JetQuery("(idTipo=") << Jet::text(kind) << " AND idCodice=" << Jet::text(code)
                                << " And idEsercizio=" << Jet::text(year) << ")";
}

// The reason table of a numerator kind; kinds compare without regard to case, as the archive's.
QString reasonTable(const QString& kind)
{
    if (kind.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("CauMag");
    if (kind.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("CauFat");
    if (kind.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("CauPag");
    return QString();
}

QLineEdit* addField(QGridLayout* grid, QWidget* panel, int row, const QString& caption, const char* name,
                    bool readOnly, QLabel** label = nullptr)
{
    auto* text = new QLabel(caption, panel);
    auto* field = new QLineEdit(panel);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(readOnly);
    text->setBuddy(field);
    field->setAccessibleName(caption.trimmed());
    grid->addWidget(text, row, 0);
    grid->addWidget(field, row, 1);
    if (label)
        *label = text;
    return field;
}

} // namespace

Numeratori::Numeratori(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent)
{
    setObjectName(QStringLiteral("Numeratori"));
    m_data = new DataControl(this);
    m_data->setObjectName(QStringLiteral("DataNumeratori"));
    connect(m_data, &DataControl::repositioned, this, [this] {
        reportFailures(this->base()->AppTitle, [this] { ShowTypeFields(); });
    });

    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("AnagToolbar"));
    layout->addWidget(toolbar);
    const struct
    {
        const char* key;
        const char* caption;
        void (Numeratori::*handler)();
        bool whileEditing;   // enabled only while a number is edited
    } buttons[] = {
        {"BModifica", "Modifica", &Numeratori::BModifica, false}, {"BAnnulla", "Annulla", &Numeratori::BAnnulla, true},
        {"BSalva", "Salva", &Numeratori::BSalva, true},           {"BPrimo", "Primo", &Numeratori::BPrimo, false},
        {"BIndietro", "Prec.", &Numeratori::BIndietro, false},    {"BAvanti", "Succ.", &Numeratori::BAvanti, false},
        {"BUltimo", "Ultimo", &Numeratori::BUltimo, false},       {"BEsci", "Esci", nullptr, false},
    };
    for (const auto& b : buttons) {
        QAction* action = addButton(b.key, QString::fromLatin1(b.caption), b.handler);
        (b.whileEditing ? m_editCommands : m_browseCommands) << action;
        toolbar->addAction(action);
    }

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Pannello"));
    auto* grid = new QGridLayout(m_panel);
    m_idCodice = addField(grid, m_panel, 0, QStringLiteral("Causale"), "idCodice", true, &m_lblCausale);
    m_lblCausale->setObjectName(QStringLiteral("lblCausale"));
    m_tDesc = new QLineEdit(m_panel);
    m_tDesc->setObjectName(QStringLiteral("tDesc"));
    m_tDesc->setReadOnly(true);
    m_tDesc->setAccessibleName(QStringLiteral("Descrizione Causale"));
    grid->addWidget(m_tDesc, 0, 2);
    m_idEsercizio = addField(grid, m_panel, 1, QStringLiteral("Esercizio"), "idEsercizio", true);
    addField(grid, m_panel, 2, QStringLiteral("Tipo Numeratore"), "Desc", true);
    m_progressivo = addField(grid, m_panel, 3, QStringLiteral("Ultimo Numero Utilizzato "), "Progressivo", false);
    base->useDigitKeys(m_progressivo);
    layout->addWidget(m_panel);
    layout->addStretch();

    auto* errorBar = new QStatusBar(this);
    errorBar->setObjectName(QStringLiteral("ErrorBar"));
    errorBar->setSizeGripEnabled(false);
    m_errorBar1 = new QLabel(errorBar);
    m_errorBar1->setObjectName(QStringLiteral("ErrorBar_1"));
    errorBar->addWidget(m_errorBar1, 1);
    layout->addWidget(errorBar);
}

QAction* Numeratori::addButton(const char* key, const QString& caption, void (Numeratori::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(key));
    if (handler)
        connect(action, &QAction::triggered, this, [this, handler] {
            reportFailures(base()->AppTitle, [this, handler] { (this->*handler)(); });
        });
    else
        connect(action, &QAction::triggered, this, &QWidget::close);
    return action;
}

bool Numeratori::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Gestione Numeratori")))
        return false;
    m_data->RecordSource = (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Numeratori")) << " where idEsercizio = ") << Jet::text(base()->FiscalYear);
    m_data->DatabaseName = base()->DataDbPath;
    m_data->Connect = base()->ConnectString;
    applyEditState(false);
    m_data->Refresh();
    return true;
}

void Numeratori::showEvent(QShowEvent* event)
{
    ChildScreen::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (m_data->isOpen() && m_data->recordset().isEmpty()) {
        Platform::instance().inform(QStringLiteral("Creare dei Documenti prima di Accedere ai Numeratori"),
                                    base()->AppTitle);
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
    }
}

QString Numeratori::current(const char* field) const
{
    return m_data->recordset().value(QString::fromLatin1(field)).toString();
}

void Numeratori::ShowTypeFields()
{
    const Recordset& rs = m_data->recordset();
    if (!m_data->isOpen() || rs.isBOF() || rs.isEOF())
        return;
    const QString kind = current("idTipo");
    if (!reasonTable(kind).isEmpty()) {
        m_idCodice->show();
        m_tDesc->show();
        m_lblCausale->show();
    } else if (kind == QLatin1String("*")) {
        m_idCodice->hide();
        m_tDesc->hide();
        m_lblCausale->hide();
    }
    base()->PrepareDataControl(m_data, this);
    showReasonDescription();
}

void Numeratori::showReasonDescription()
{
    const QString table = reasonTable(current("idTipo"));
    if (table.isEmpty()) {
        m_tDesc->clear();
        return;
    }
    Recordset reasons = Recordset::openTable(m_data->database(), table, true);
    reasons.FindFirst(JetQuery("Codice=") << Jet::text(m_idCodice->text()));
    m_tDesc->setText(reasons.NoMatch() ? QString() : reasons.value(QStringLiteral("Desc")).toString());
}

qint64 Numeratori::HighestUsedNumber()
{
    // A table name that is no plain identifier is refused by Jet::identifier (DatabaseError).
    JetQuery q("SELECT Max(NumInt) as Numero FROM ");
    q << Jet::identifier(current("TabellaContr")) << " WHERE idEsercizio="
      << Jet::text(m_idEsercizio->text());
    if (!m_idCodice->isHidden())
        q << " AND idCausaleDoc=" << Jet::text(m_idCodice->text());
    Rows highest = m_data->database().select(q);
    if (!highest.next() || highest.value(0).isNull())
        return 0;
    return highest.value(0).toLongLong();
}

bool Numeratori::ValidateNumerator()
{
    m_errorBar1->clear();
    auto refuse = [this](const QString& message) {
        ScreenFrame::announce(m_errorBar1, message);
        // A corrected number leaves no stale reason behind.
        connect(m_progressivo, &QLineEdit::textEdited, m_errorBar1, [this] { ScreenFrame::announce(m_errorBar1, {}); },
                Qt::SingleShotConnection);
        base()->FocusAndSelectAll(m_progressivo);
        return false;
    };
    bool numeric = false;
    const qint64 number = m_progressivo->text().trimmed().toLongLong(&numeric);
    if (!numeric || number < 0 || number > HighestNumber)
        return refuse(QStringLiteral("Numero Errato"));
    if (number < HighestUsedNumber())
        return refuse(QStringLiteral("Trovati Documenti con Numerazione Maggiore"));
    return true;
}

void Numeratori::applyEditState(bool editing)
{
    m_editing = editing;
    for (QAction* command : std::as_const(m_browseCommands))
        command->setEnabled(!editing);
    for (QAction* command : std::as_const(m_editCommands))
        command->setEnabled(editing);
    m_errorBar1->clear();
    // The number is the one value changed here; the others stay read-only.
    m_progressivo->setReadOnly(!editing);
}

void Numeratori::SetEditMode(bool editing)
{
    applyEditState(editing);
    if (editing)
        ++base()->EditingScreenCount;
    else
        --base()->EditingScreenCount;
}

void Numeratori::releaseLock()
{
    if (m_lock && m_lock->release())
        m_lock.reset();
}

void Numeratori::BModifica()
{
    m_lock = HeldLock::take(*base(), numeratorLock(current("idTipo"), current("idCodice"), current("idEsercizio")));
    if (!m_lock)
        return;
    SetEditMode(true);
    base()->FocusAndSelectAll(m_progressivo);
    editStarted();
}

void Numeratori::BSalva()
{
    if (!ValidateNumerator())
        return;
    const QString kind = current("idTipo");
    const QString code = current("idCodice");
    const QString year = current("idEsercizio");
    Recordset row = Recordset::open(m_data->database(),
                                    (JetQuery("Select * From ") << Jet::table(QStringLiteral("Numeratori")) << " Where ") << numeratorKey(kind, code, year));
    row.Edit();
    base()->AttachRecordset(this, row);
    m_data->Refresh();
    m_data->findFirst(numeratorKey(kind, code, year));
    SetEditMode(false);
    releaseLock();
}

void Numeratori::BAnnulla()
{
    SetEditMode(false);
    ShowTypeFields();
    releaseLock();
}

void Numeratori::move(void (DataControl::*step)())
{
    (m_data->*step)();
    const Recordset& rs = m_data->recordset();
    if (!rs.isEmpty() && rs.isBOF())
        m_data->moveFirst();
    else if (!rs.isEmpty() && rs.isEOF())
        m_data->moveLast();
}

void Numeratori::BPrimo() { move(&DataControl::moveFirst); }
void Numeratori::BIndietro() { move(&DataControl::movePrevious); }
void Numeratori::BAvanti() { move(&DataControl::moveNext); }
void Numeratori::BUltimo() { move(&DataControl::moveLast); }

bool Numeratori::queryUnload()
{
    if (!m_lock)
        return true;
    if (!Platform::instance().askDestructive(QStringLiteral("I Dati Sono Stati Modificati.") + QChar(13) + QChar(13)
                                      + QStringLiteral("Si Desidera Uscire Perdendo le Modifiche?"),
                                  base()->AppTitle))
        return false;
    reportFailures(base()->AppTitle, [this] { releaseLock(); });
    // The count follows the edit mode: an edit already ended is not counted out twice.
    if (m_editing)
        SetEditMode(false);
    return true;
}
