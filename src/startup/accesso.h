#pragma once
#include "common/database.h"
#include "common/recordset.h"

#include <QDialog>

struct AppGlobals;
class QLineEdit;
class QPushButton;

// The sign-in dialog: a user code and a password checked against table Password of the user
// archive. A successful sign-in sets the user's values in the base component, removes the
// user's stale lock rows at this workstation and brings up the main window.
// While the dialog is open it holds the user archive and a read-only view of Password, opened
// again each time the dialog becomes active; closing the dialog releases them.
class Accesso : public QDialog
{
    Q_OBJECT
public:
    explicit Accesso(AppGlobals& globals, QWidget* parent = nullptr);

    // True when the typed user may enter; the user's values are then set in the base component.
    bool ValidateSignIn();

public slots:
    // Closing the dialog in any way (Esc included) unloads it.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openUserArchive();
    void storeDigest(const QString& code, const QString& password);
    void confirm();
    void completeSignIn();

    AppGlobals& m_globals;
    QLineEdit* m_nome;
    QLineEdit* m_password;
    Database m_userDb;
    Recordset m_users;
};
