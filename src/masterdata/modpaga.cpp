#include "modpaga.h"
#include "fieldevents.h"
#include "maintenancebars.h"
#include "components/screenframe.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/reportfailures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QResizeEvent>

namespace {

const QStringList BrowseButtons = {QStringLiteral("BNuovo"),   QStringLiteral("BModifica"), QStringLiteral("BElimina"),
                                   QStringLiteral("BPrimo"),   QStringLiteral("BIndietro"), QStringLiteral("BAvanti"),
                                   QStringLiteral("BUltimo")};
const QStringList EditButtons = {QStringLiteral("BAnnulla"), QStringLiteral("BSalva")};

QString dueDaysColumn(int index)
{
    return QStringLiteral("Scad%1").arg(index + 1);
}

QString shown(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

ModPaga::ModPaga(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent), m_data(new DataControl(this))
{
    setObjectName(QStringLiteral("ModPaga"));
    m_data->setObjectName(QStringLiteral("DataModalita"));
    buildForm();
    connectFields();
}

void ModPaga::connectFields()
{
    connect(m_toolbar, &KeyedToolbar::buttonClicked, this, &ModPaga::onToolbar);
    connect(m_data, &DataControl::repositioned, this, [this] {
        correctPosition();
        showRecord();
    });
    base()->useTextKeys(m_code);
    base()->useTextKeys(m_description);
    QList<QLineEdit*> numbers{m_rate};
    for (QLineEdit* days : m_days)
        numbers << days;
    for (QLineEdit* edit : numbers) {
        base()->useDigitKeys(edit);
        onFocusIn(edit, [this, edit] { base()->FocusAndSelectAll(edit); });
    }
}

bool ModPaga::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Modalità Pagamento")))
        return false;
    m_data->DatabaseName = base()->DataDbPath;
    m_data->Connect = base()->ConnectString;
    m_data->RecordSource = (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("ModPag")));
    m_messages->setPanel1(QString());
    m_toolbar->setButtonsEnabled(EditButtons, false);
    ScreenFrame::setReadOnly(m_dataFrame, true);
    try {
        m_data->Refresh();
    } catch (...) {
        close();
        throw;
    }
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        connect(frame, &QMdiSubWindow::aboutToActivate, this, &ModPaga::startWhenEmpty);
    return true;
}

void ModPaga::showEvent(QShowEvent* event)
{
    ChildScreen::showEvent(event);
    startWhenEmpty();
}

// An empty table is met with a new record, once: a record already pending stays as it is.
void ModPaga::startWhenEmpty()
{
    const Recordset& rs = m_data->recordset();
    if (!isOpened() || !rs.isOpen() || !rs.isEmpty() || rs.editMode() != Recordset::EditMode::None)
        return;
    addNew();
    m_messages->setPanel1(QString());
}

void ModPaga::resizeEvent(QResizeEvent* event)
{
    ChildScreen::resizeEvent(event);
    const int width = event->size().width();
    if (width < 100)
        return;
    m_banner->setGeometry(0, m_banner->y(), width, m_banner->height());
    m_logo->move(width - m_logo->width() - 50, m_logo->y());
}

void ModPaga::SetEditMode(bool editing)
{
    m_toolbar->setButtonsEnabled(EditButtons, editing);
    m_toolbar->setButtonsEnabled(BrowseButtons, !editing);
    ScreenFrame::setReadOnly(m_dataFrame, !editing);
    base()->EditingScreenCount += editing ? 1 : -1;
}

LockIdentity ModPaga::paymentTermLock() const
{
    LockIdentity id;
    id.owner = QStringLiteral("BREVANO V");
    id.screenTitle = QStringLiteral("Modalità Pagamento");
    id.table = QStringLiteral("ModPag");
    id.keyFields[0] = QStringLiteral("Codice");
    id.keyValues[0] = typedCode();
    id.keyKinds[0] = 1;
    return id;
}

void ModPaga::onToolbar(const QString& key)
{
    reportFailures(base()->AppTitle, [&] {
        if (key == QLatin1String("BNuovo"))
            addNew();
        else if (key == QLatin1String("BModifica"))
            startEdit();
        else if (key == QLatin1String("BSalva"))
            save();
        else if (key == QLatin1String("BAnnulla"))
            cancel();
        else if (key == QLatin1String("BElimina"))
            remove();
        else if (key == QLatin1String("BEsci"))
            close();
        else
            move(key);
    });
}

void ModPaga::addNew()
{
    SetEditMode(true);
    m_data->recordset().AddNew();
    showRecord();
    m_code->setFocus();
    editStarted();
}

void ModPaga::startEdit()
{
    std::optional<HeldLock> lock = HeldLock::take(*base(), paymentTermLock());
    if (!lock)
        return;
    // The record is read again: another workstation may have changed it since it was shown.
    m_data->Refresh();
    if (!m_data->findFirst(JetQuery("Codice = ") << Jet::text(lock->identity().keyValues[0])))
        return;
    m_data->recordset().Edit();
    SetEditMode(true);
    m_code->setEnabled(false);
    m_lock = std::move(lock);
    editStarted();
}

void ModPaga::save()
{
    if (!ValidatePaymentTerm())
        return;
    Recordset& rs = m_data->recordset();
    const bool adding = rs.editMode() == Recordset::EditMode::Adding;
    writeRecord();
    if (adding && rs.RecordCount() == 1)
        rs.MoveFirst();
    else if (adding)
        rs.setBookmark(rs.LastModified());
    SetEditMode(false);
    m_code->setEnabled(true);
    m_lock.reset();
    m_data->notifyReposition();
}

void ModPaga::cancel()
{
    SetEditMode(false);
    m_code->setEnabled(true);
    m_data->recordset().CancelUpdate();
    m_data->notifyReposition();
    if (m_data->recordset().isEmpty())
        addNew();
    m_messages->setPanel1(QString());
    m_lock.reset();
}

void ModPaga::remove()
{
    if (!base()->lock(LockMode::CheckBeforeDelete, paymentTermLock())) {
        Platform::instance().refuse(QStringLiteral("Dato in Modifica da Altro Utente. Impossibile Eliminare"),
                                    base()->AppTitle);
        return;
    }
    if (!Platform::instance().askDestructive(QStringLiteral("Si Desidera Cancellare la Modalità di Pagamento?"), base()->AppTitle))
        return;
    m_data->recordset().Delete();
    m_data->moveFirst();
    if (m_data->recordset().isEmpty())
        addNew();
}

void ModPaga::move(const QString& key)
{
    m_messages->setPanel1(QString());
    if (key == QLatin1String("BPrimo"))
        m_data->moveFirst();
    else if (key == QLatin1String("BIndietro"))
        m_data->movePrevious();
    else if (key == QLatin1String("BAvanti"))
        m_data->moveNext();
    else if (key == QLatin1String("BUltimo"))
        m_data->moveLast();
}

// Moves never rest before the first or after the last record.
void ModPaga::correctPosition()
{
    Recordset& rs = m_data->recordset();
    if (!rs.isOpen() || rs.isEmpty() || rs.editMode() != Recordset::EditMode::None)
        return;
    if (rs.isBOF())
        rs.MoveFirst();
    else if (rs.isEOF())
        rs.MoveLast();
}

void ModPaga::showRecord()
{
    const Recordset& rs = m_data->recordset();
    const bool onRecord =
        rs.isOpen() && (rs.editMode() != Recordset::EditMode::None || (!rs.isBOF() && !rs.isEOF()));
    auto value = [&](const QString& column) { return onRecord ? rs.value(column) : QVariant(); };
    m_code->setText(shown(value(QStringLiteral("Codice"))));
    m_description->setText(shown(value(QStringLiteral("Desc"))));
    m_rate->setText(shown(value(QStringLiteral("Rate"))));
    m_monthEnd->setChecked(value(QStringLiteral("FineMese")).toBool());
    for (int i = 0; i < 12; ++i)
        m_days[i]->setText(shown(value(dueDaysColumn(i))));
}

void ModPaga::writeRecord()
{
    Recordset& rs = m_data->recordset();
    rs.setValue(QStringLiteral("Codice"), typedCode());
    rs.setValue(QStringLiteral("Desc"), m_description->text().trimmed());
    rs.setValue(QStringLiteral("Rate"), qint16(m_rate->text().toInt()));
    rs.setValue(QStringLiteral("FineMese"), m_monthEnd->isChecked());
    for (int i = 0; i < 12; ++i) {
        const QString days = m_days[i]->text();
        rs.setValue(dueDaysColumn(i), days.isEmpty() ? QVariant() : QVariant(days.toInt()));
    }
    rs.Update();
}

bool ModPaga::refuse(const QString& message, QLineEdit* field)
{
    if (field) {
        m_messages->refuse(message, {field});
        base()->FocusAndSelectAll(field);
    } else {
        // The instalments as a whole are at fault: any of their fields may put them right.
        QList<QLineEdit*> instalments{m_rate};
        for (QLineEdit* days : m_days)
            instalments << days;
        m_messages->refuse(message, instalments);
    }
    return false;
}

// Spaces around a code are dropped, as every other screen drops them, so that a customer's term
// and the term itself name one code.
QString ModPaga::typedCode() const
{
    return m_code->text().trimmed();
}

bool ModPaga::CodeExists(const QString& code)
{
    // The archive compares codes without regard to case.
    return m_data->database().select(JetQuery("SELECT 1 FROM ModPag WHERE Codice = ") << Jet::text(code)).next();
}

bool ModPaga::ValidatePaymentTerm()
{
    m_messages->setPanel1(QString());
    if (typedCode().isEmpty())
        return refuse(QStringLiteral("Codice non Inserito"), m_code);
    if (m_data->recordset().editMode() == Recordset::EditMode::Adding && CodeExists(typedCode()))
        return refuse(QStringLiteral("Codice già esistente"), m_code);
    if (m_description->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Descrizione non Inserita"), m_description);
    int filled = 0;
    for (QLineEdit* days : m_days)
        filled += days->text().isEmpty() ? 0 : 1;
    if (m_rate->text().isEmpty() && filled > 0)
        return refuse(QStringLiteral("Numero Rate non Inserito"));
    if (m_rate->text().isEmpty())
        m_rate->setText(QStringLiteral("0"));
    bool whole = false;
    if (m_rate->text().toInt(&whole) != filled || !whole)
        return refuse(QStringLiteral("Numero Rate Diverso da Giorni Scadenze Rate"));
    for (int i = 0; i + 1 < 12; ++i)
        if (m_days[i]->text().isEmpty() && !m_days[i + 1]->text().isEmpty())
            return refuse(QStringLiteral("Giorni di Scadenza Rate non Inserite Correttamente"));
    return true;
}

bool ModPaga::queryUnload()
{
    const Recordset::EditMode mode = m_data->recordset().editMode();
    if (mode == Recordset::EditMode::None)
        return true;
    const QString what = mode == Recordset::EditMode::Editing ? QStringLiteral("I Dati Sono Stati Modificati.")
                                                              : QStringLiteral("E' Stato Inserito una Nuova Modalità.");
    if (!Platform::instance().askDestructive(what + QStringLiteral("\r\rSi Desidera Uscire Perdendo le Modifiche?"),
                                  base()->AppTitle))
        return false;
    // The term typed and its lock go with the screen; the count of screens being edited is ours.
    --base()->EditingScreenCount;
    return true;
}
