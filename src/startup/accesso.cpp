#include "accesso.h"
#include "common/appglobals.h"
#include "workstation.h"

#include "common/platform.h"
#include "components/basecomponent.h"
#include "components/failuremessage.h"
#include "common/passwordhash.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

Accesso::Accesso(AppGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setObjectName(QStringLiteral("Accesso"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(globals.programTitle + QStringLiteral(" : ") + QStringLiteral(" Accesso Utente"));

    auto* prompt = new QLabel(QStringLiteral("Immettere Nome Utente e Password :"), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    m_nome = new QLineEdit(this);
    m_nome->setObjectName(QStringLiteral("Nome"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    auto* nomeLabel = new QLabel(QStringLiteral("Nome Utente"), this);
    nomeLabel->setBuddy(m_nome);
    auto* passwordLabel = new QLabel(QStringLiteral("Password"), this);
    passwordLabel->setBuddy(m_password);

    auto* ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("BTNOK"));
    ok->setAccessibleName(QStringLiteral("Conferma"));
    ok->setToolTip(QStringLiteral("Conferma (Invio)"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setIconSize(QSize(24, 24));
    auto* esci = new QPushButton(QStringLiteral("Esci"), this);
    esci->setObjectName(QStringLiteral("BTNEsci"));
    // Enter belongs to the fields (next field, confirm), never to a default button.
    for (QPushButton* button : {ok, esci}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* fields = new QGridLayout;
    fields->addWidget(nomeLabel, 0, 0);
    fields->addWidget(m_nome, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(m_password, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(esci);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(ok, &QPushButton::clicked, this, &Accesso::confirm);
    connect(esci, &QPushButton::clicked, this, [] { Platform::instance().endProgram(); });

    if (BaseComponent* base = globals.base) {
        base->useTextKeys(m_nome);
        base->useTextKeys(m_password);
        base->PrepareDialog(this);
    }
    // Installed after the typing aid, so Enter is seen before the aid drops it.
    m_nome->installEventFilter(this);
    m_password->installEventFilter(this);

    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Accesso::openUserArchive()
{
    m_users.close();
    m_userDb = Database::open(m_globals.userDbPath, m_globals.base->ConnectString);
    m_users = Recordset::open(m_userDb, (JetQuery("Select * From ") << Jet::table(QStringLiteral("Password"))), Recordset::Type::Dynaset, true);
}

void Accesso::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        try {
            openUserArchive();
        } catch (const DatabaseError& error) {
            Platform::instance().refuse(failureMessage(error), m_globals.programTitle);
        }
    }
    QDialog::changeEvent(event);
}

bool Accesso::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_nome)
                m_globals.base->FocusAndSelectAll(m_password);
            else
                confirm();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool Accesso::ValidateSignIn()
{
    BaseComponent* base = m_globals.base;
    // A window system that never activates the dialog still gets the archive here.
    if (!m_users.isOpen())
        openUserArchive();
    const QString code = m_nome->text();

    // The archive finds the code without regard to case.
    m_users.FindFirst(JetQuery("Codice = ") << Jet::text(code));
    if (m_users.NoMatch()) {
        Platform::instance().message(QStringLiteral("Utente Errato"), Platform::Icon::None, Platform::Buttons::Ok,
                                     QString());
        base->FocusAndSelectAll(m_nome);
        return false;
    }

    // The password must match exactly, case included; a Null password is an empty one.
    const QString stored = m_users.value(QStringLiteral("Password")).toString();
    if (!passwordMatches(stored, m_password->text(), m_userDb.schemaVersion())) {
        Platform::instance().message(QStringLiteral("Password Errata"), Platform::Icon::None,
                                     Platform::Buttons::Ok, QString());
        base->FocusAndSelectAll(m_password);
        return false;
    }

    base->FiscalYear = m_users.value(QStringLiteral("esercizio")).toString();
    // Only a capital A makes an administrator.
    base->IsAdministrator = QString::compare(m_users.value(QStringLiteral("Tipo")).toString(), QStringLiteral("A"),
                                             Qt::CaseSensitive) == 0;

    if (!stored.isEmpty() && !isPasswordHash(stored))
        storeDigest(m_users.value(QStringLiteral("Codice")).toString(), m_password->text());

    // Lock rows this user left behind at this workstation in a copy of the program that is no
    // longer running; other workstations, and another copy still running, keep theirs.
    const QString workstation = GetWorkstationName();
    base->UserName = code;
    base->dropEndedLocks(false);

    QVariant registered;
    base->RegisterSignIn(QStringLiteral("BREVANO V"), code, workstation, registered);
    return true;
}

// A password still kept in clear (an archive not yet upgraded to digests) is replaced by its
// digest at the first sign-in that proves it. A data folder that cannot be written keeps it
// until one can.
void Accesso::storeDigest(const QString& code, const QString& password)
{
    try {
        m_userDb.execute(JetQuery("UPDATE Password SET [Password] = ") << Jet::text(hashPassword(password))
                                                                       << " WHERE Codice = " << Jet::text(code));
    } catch (const DatabaseError& e) {
        if (e.kind() != DatabaseError::Kind::ReadOnly && e.kind() != DatabaseError::Kind::Busy)
            throw;
    }
}

void Accesso::confirm()
{
    try {
        if (!ValidateSignIn())
            return;
    } catch (const DatabaseError& error) {
        Platform::instance().refuse(failureMessage(error), m_globals.programTitle);
        return;
    }
    completeSignIn();
}

void Accesso::completeSignIn()
{
    BaseComponent* base = m_globals.base;
    QMainWindow* w = m_globals.makeMainWindow(m_globals);
    const qint32 handle = qint32(w->winId());
    if (base->WarehouseModuleLoaded)
        m_globals.warehouse->setProperty("MDIhwnd", handle);
    if (base->InvoicingModuleLoaded)
        m_globals.invoicing->setProperty("MDIhwnd", handle);
    if (base->PaymentsModuleLoaded)
        m_globals.payments->setProperty("MDIhwnd", handle);
    base->setMainWindow(w);
    w->show();
    close();
}

void Accesso::reject()
{
    close();
}

void Accesso::closeEvent(QCloseEvent*)
{
    m_users.close();
    m_userDb = Database();
}
