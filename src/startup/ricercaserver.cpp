#include "ricercaserver.h"
#include "common/appglobals.h"
#include "pointerfile.h"

#include "common/database.h"
#include "common/platform.h"
#include "common/serverarchive.h"
#include "common/serverprobe.h"
#include "components/basecomponent.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

const QString NelProg = QStringLiteral("Nel Prog");
const QString SearchTitle = QStringLiteral("Brevano V - Ricerca Server");

// The version of the archives this program works on: its local archive's, or before the first
// start its template's.
int programArchiveVersion(const AppGlobals& g)
{
    for (const char* name : {"locdata.mdb", "locdata2.mdb"}) {
        try {
            return Database::open(g.programFolder + QDir::separator() + QString::fromLatin1(name), g.connectString, true)
                .schemaVersion();
        } catch (const DatabaseError&) {
            // Not there yet: the template tells.
        }
    }
    return 0;
}

// A service is named after its database, in the letters a service file allows.
QString serviceFor(const QString& database)
{
    return QString(database).replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
}

bool endsWithSeparator(const QString& path)
{
    return path.endsWith(QDir::separator()) || path.endsWith(u'/');
}

// The drive of the list that holds a folder: the longest root that is a prefix of it.
int driveOf(const QStringList& drives, const QString& folder)
{
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString root = drives[i];
        const bool contains = folder == root || folder.startsWith(endsWithSeparator(root) ? root : root + u'/');
        if (contains && (best < 0 || root.size() > drives[best].size()))
            best = i;
    }
    return best;
}

} // namespace

RicercaServer::RicercaServer(AppGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setObjectName(QStringLiteral("RicercaServer"));

    auto* label = new QLabel(QStringLiteral(
        "Scegliere la fonte di dati a cui si deve collegare questa applicazione: Server, indica che i dati sono "
        "presenti su questa stessa macchina, Client, indica che i dati sono presenti su una macchina Server "
        "connessa in rete."), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);

    m_server = new QRadioButton(QStringLiteral("Server"), this);
    m_server->setObjectName(QStringLiteral("Option1_0"));
    m_client = new QRadioButton(QStringLiteral("Client"), this);
    m_client->setObjectName(QStringLiteral("Option1_1"));
    m_postgres = new QRadioButton(QStringLiteral("Server PostgreSQL"), this);
    m_postgres->setObjectName(QStringLiteral("Option1_2"));

    m_postgresFrame = new QGroupBox(QStringLiteral("Impostazioni Server PostgreSQL"), this);
    m_postgresFrame->setObjectName(QStringLiteral("FRMPostgres"));
    auto* postgresLayout = new QFormLayout(m_postgresFrame);
    auto field = [&](const char* name, const QString& label) {
        auto* edit = new QLineEdit(m_postgresFrame);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(label);
        postgresLayout->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &RicercaServer::postgresEdited);
        return edit;
    };
    m_host = field("THost", QStringLiteral("Indirizzo Server"));
    m_port = new QSpinBox(m_postgresFrame);
    m_port->setObjectName(QStringLiteral("TPorta"));
    m_port->setAccessibleName(QStringLiteral("Porta"));
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    m_port->setGroupSeparatorShown(false);
    postgresLayout->addRow(QStringLiteral("Porta"), m_port);
    m_database = field("TDatabase", QStringLiteral("Database"));
    m_user = field("TUtente", QStringLiteral("Utente"));
    m_password = field("TPassword", QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* test = new QPushButton(QStringLiteral("Prova Connessione"), m_postgresFrame);
    test->setObjectName(QStringLiteral("BProva"));
    test->setAutoDefault(false);
    postgresLayout->addRow(QString(), test);
    connect(test, &QPushButton::clicked, this, &RicercaServer::testServer);

    m_clientFrame = new QGroupBox(QStringLiteral("Impostazioni Client"), this);
    m_clientFrame->setObjectName(QStringLiteral("FRMClient"));
    m_drives = new QComboBox(m_clientFrame);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_drives->addItems(Platform::instance().drives());
    m_folderModel = new QFileSystemModel(this);
    m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folderModel->setRootPath(QString());
    m_folders = new QTreeView(m_clientFrame);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setModel(m_folderModel);
    m_folders->setHeaderHidden(true);
    for (int column = 1; column < m_folderModel->columnCount(); ++column)
        m_folders->hideColumn(column);
    m_folders->setMinimumHeight(120);
    m_folders->setAccessibleName(QStringLiteral("Cartelle"));
    m_drives->setAccessibleName(QStringLiteral("Unità"));
    // The folders are read in the background: the chosen one is brought into view once they are.
    connect(m_folderModel, &QFileSystemModel::directoryLoaded, m_folders, [this] {
        if (m_folders->currentIndex().isValid())
            m_folders->scrollTo(m_folders->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    auto* frameLayout = new QVBoxLayout(m_clientFrame);
    frameLayout->addWidget(m_drives);
    frameLayout->addWidget(m_folders);

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("TPath"));
    m_path->setReadOnly(true);
    connect(m_path, &QLineEdit::textChanged, m_path, &QLineEdit::setToolTip);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BOK"));
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("BAnnulla"));
    for (QPushButton* button : {m_ok, cancel})
        button->setAutoDefault(false);
    m_ok->setDefault(true);
    m_path->setAccessibleName(QStringLiteral("Cartella dei Dati"));

    auto* roles = new QHBoxLayout;
    roles->addWidget(m_server);
    roles->addWidget(m_client);
    roles->addWidget(m_postgres);
    roles->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(roles);
    layout->addWidget(m_clientFrame);
    layout->addWidget(m_path);
    layout->addWidget(m_postgresFrame);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_server, &QRadioButton::toggled, this, [this](bool on) { if (on) chooseServer(); });
    connect(m_client, &QRadioButton::toggled, this, [this](bool on) { if (on) chooseClient(); });
    connect(m_postgres, &QRadioButton::toggled, this, [this](bool on) { if (on) choosePostgres(); });
    connect(m_drives, &QComboBox::currentIndexChanged, this, &RicercaServer::driveChosen);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this, &RicercaServer::folderChosen);
    connect(m_ok, &QPushButton::clicked, this, &RicercaServer::confirm);
    connect(cancel, &QPushButton::clicked, this, &RicercaServer::reject);

    if (BaseComponent* base = globals.base) {
        setWindowTitle(base->AppTitle + QStringLiteral(": Impostazioni Client/Server"));
        if (ServerArchive::isServer(globals.dataFolder)) {
            const ServerArchive::Settings known = ServerArchive::readService(ServerArchive::serviceOf(globals.dataFolder));
            m_host->setText(known.host);
            m_port->setValue(known.port);
            m_database->setText(known.database);
            m_user->setText(known.user);
            pointAt(globals.programFolder);
            m_postgres->setChecked(true);
        } else if (!base->AppPath.isEmpty()) {
            pointAt(base->AppPath);
            (base->ClientMode == 1 ? m_client : m_server)->setChecked(true);
        } else {
            pointAt(globals.programFolder);
        }
    } else {
        setWindowTitle(globals.programTitle + QStringLiteral(": Impostazioni Client/Server"));
        // Choosing Server shows the program's own folder.
        m_server->setChecked(true);
    }

    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void RicercaServer::pointAt(const QString& folder)
{
    const int drive = driveOf(Platform::instance().drives(), folder);
    {
        const QSignalBlocker quiet(m_drives);
        m_drives->setCurrentIndex(drive);
    }
    m_driveIndex = drive;
    if (drive >= 0)
        m_folders->setRootIndex(m_folderModel->index(m_drives->itemText(drive)));
    const QModelIndex target = m_folderModel->index(folder);
    for (QModelIndex above = target.parent(); above.isValid(); above = above.parent())
        m_folders->expand(above);
    m_folders->setCurrentIndex(target);
    m_folders->scrollTo(target, QAbstractItemView::PositionAtCenter);
    folderChosen();
}

void RicercaServer::chooseServer()
{
    pointAt(m_globals.programFolder);
    m_clientFrame->setEnabled(false);
    m_postgresFrame->setEnabled(false);
    m_path->setEnabled(true);
    m_ok->setEnabled(true);
}

void RicercaServer::chooseClient()
{
    m_clientFrame->setEnabled(true);
    m_postgresFrame->setEnabled(false);
    m_path->setEnabled(true);
    folderChosen();
}

void RicercaServer::choosePostgres()
{
    m_clientFrame->setEnabled(false);
    m_postgresFrame->setEnabled(true);
    // The archives are on the server: no folder of the share is in use.
    m_path->setEnabled(false);
    postgresEdited();
}

void RicercaServer::postgresEdited()
{
    if (m_postgres->isChecked())
        m_ok->setEnabled(!m_host->text().trimmed().isEmpty() && !m_database->text().trimmed().isEmpty()
                         && !m_user->text().trimmed().isEmpty());
}

QString RicercaServer::serverProblem() const
{
    return probeServer({serviceFor(m_database->text().trimmed()), m_host->text().trimmed(), m_port->value(),
                        m_database->text().trimmed(), m_user->text().trimmed(), m_password->text()},
                       programArchiveVersion(m_globals));
}

void RicercaServer::testServer()
{
    Platform& platform = Platform::instance();
    platform.setHourglass(true);
    const QString problem = serverProblem();
    platform.setHourglass(false);
    if (problem.isEmpty())
        platform.inform(QStringLiteral("Connessione riuscita: il database contiene gli archivi del programma."), SearchTitle);
    else
        platform.message(problem, Platform::Icon::Exclamation, Platform::Buttons::Ok, SearchTitle);
}

void RicercaServer::driveChosen(int index)
{
    const QString root = m_drives->itemText(index);
    const QDir drive(root);
    if (!drive.exists() || !drive.isReadable()) {
        Platform::instance().inform(QStringLiteral("Il Drive non è al momento disponibile"), SearchTitle);
        const QSignalBlocker quiet(m_drives);
        m_drives->setCurrentIndex(m_driveIndex);
        return;
    }
    m_driveIndex = index;
    const QModelIndex top = m_folderModel->index(root);
    m_folders->setRootIndex(top);
    m_folders->setCurrentIndex(top);
}

QString RicercaServer::folderPath() const
{
    return QDir::toNativeSeparators(m_folderModel->filePath(m_folders->currentIndex()));
}

void RicercaServer::folderChosen()
{
    const QString path = folderPath();
    m_path->setText(path);
    // A server installation is recognised by its pointer file; a drive root already ends with
    // the separator.
    const QString pointer = endsWithSeparator(path) ? path + QStringLiteral("brevanov.dat")
                                                    : path + QDir::separator() + QStringLiteral("brevanov.dat");
    if (!m_postgres->isChecked())
        m_ok->setEnabled(m_server->isChecked() || (!path.isEmpty() && QFileInfo::exists(pointer)));
}

void RicercaServer::confirm()
{
    Platform& platform = Platform::instance();
    qint32 role = 0;
    if (m_server->isChecked()) {
        if (!platform.isLocalPath(m_globals.programFolder)) {
            platform.refuse(QStringLiteral("Il Server Deve Essere Installato e Configurato in Locale!"),
                            m_globals.programTitle);
            platform.endProgram();
        }
        m_globals.dataFolder = m_globals.programFolder + QDir::separator();
    } else if (m_postgres->isChecked()) {
        // Nothing is written for a server that would not open the archives.
        const QString problem = serverProblem();
        if (!problem.isEmpty()) {
            platform.message(problem, Platform::Icon::Exclamation, Platform::Buttons::Ok, SearchTitle);
            return;
        }
        const QString service = serviceFor(m_database->text().trimmed());
        try {
            ServerArchive::writeService({service, m_host->text().trimmed(), m_port->value(), m_database->text().trimmed(),
                                         m_user->text().trimmed(), m_password->text()});
        } catch (const DatabaseError& error) {
            platform.refuse(error.detail(), m_globals.programTitle);
            return;
        }
        // Never mistaken for a folder: an older program finds no archive there.
        role = 1;
        m_globals.dataFolder = ServerArchive::Marker + service + u'/';
    } else {
        role = 1;
        const QString folder = folderPath();
        m_globals.dataFolder = endsWithSeparator(folder) ? folder : folder + QDir::separator();
    }
    try {
        WritePointerFile(m_globals, role);
    } catch (const std::runtime_error& error) {
        platform.refuse(QString::fromStdString(error.what()), m_globals.programTitle);
        platform.endProgram();
    }
    m_globals.dataDbPath = m_globals.dataFolder + QStringLiteral("data.mdb");
    m_globals.clientMode = role;

    if (Tag != NelProg) {
        accept();
        return;
    }
    platform.inform(QStringLiteral("Rilanciare il Programma per rendere Effettive le Impostazioni"),
                    m_globals.programTitle);
    platform.endProgram();
}

void RicercaServer::reject()
{
    if (m_globals.dataDbPath.isEmpty()) {
        Platform::instance().inform(
            QStringLiteral("Non è possibile iniziare a lavorare senza aver impostato una fonte di dati."),
            m_globals.programTitle);
        Platform::instance().endProgram();
    }
    QDialog::reject();
}
