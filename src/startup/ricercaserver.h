#pragma once
#include <QDialog>
#include <QString>

struct AppGlobals;
class QComboBox;
class QSpinBox;
class QFileSystemModel;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

// The data-folder configuration: this workstation is the server (the data folder is its own
// program folder), a client (the data folder is a server's program folder, recognised by its
// pointer file "brevanov.dat") or a client of a PostgreSQL server (the pointer file names a libpq
// service; host, port, database and user go into the service file, the password into the
// password file). Confirming writes the pointer file and sets the globals.
// Shown modally at start-up when the pointer file is missing, and from the menu command
// "server": the dispatcher then sets Tag to "Nel Prog" before showing it, and a confirmation
// ends the program so that the next start uses the new settings.
class RicercaServer : public QDialog
{
    Q_OBJECT
public:
    explicit RicercaServer(AppGlobals& globals, QWidget* parent = nullptr);

    // "Nel Prog" when opened from inside the program; empty at start-up.
    QString Tag;

public slots:
    // Annulla, Esc and the window's own close control all cancel.
    void reject() override;

private:
    void chooseServer();
    void chooseClient();
    void choosePostgres();
    void postgresEdited();
    // What is wrong with the server as typed, in Italian; empty when nothing is.
    QString serverProblem() const;
    void testServer();
    void driveChosen(int index);
    void folderChosen();
    void pointAt(const QString& folder);
    QString folderPath() const;
    void confirm();

    AppGlobals& m_globals;
    QRadioButton* m_server;
    QRadioButton* m_client;
    QRadioButton* m_postgres;
    QGroupBox* m_postgresFrame;
    QLineEdit* m_host;
    QSpinBox* m_port;
    QLineEdit* m_database;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QGroupBox* m_clientFrame;
    QComboBox* m_drives;
    QTreeView* m_folders;
    QFileSystemModel* m_folderModel;
    QLineEdit* m_path;
    QPushButton* m_ok;
    int m_driveIndex = -1;
};
