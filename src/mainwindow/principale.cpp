#include "principale.h"
#include "commanddispatch.h"
#include "commands.h"
#include "menulayout.h"
#include "menus.h"
#include "workspace.h"
#include "components/basecomponent.h"
#include "common/database.h"
#include "common/platform.h"
#include "common/recordset.h"
#include "common/appglobals.h"
#include "components/failuremessage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

const QString LayoutFileName = QStringLiteral("/layout.tb");

// Pictures of the band tools.
QStyle::StandardPixmap toolPicture(const QString& tool)
{
    static const QHash<QString, QStyle::StandardPixmap> pictures = {
        {"BAzienda", QStyle::SP_ComputerIcon},         {"BClienti", QStyle::SP_DirHomeIcon},
        {"BFornitori", QStyle::SP_DriveNetIcon},       {"BArticoli", QStyle::SP_FileDialogDetailedView},
        {"BListini", QStyle::SP_FileDialogListView},   {"BDDT", QStyle::SP_FileIcon},
        {"BMovMaga", QStyle::SP_BrowserReload},        {"BDistinta", QStyle::SP_FileDialogContentsView},
        {"BRESO", QStyle::SP_ArrowBack},               {"BInventa", QStyle::SP_DriveHDIcon},
        {"BAperGiac", QStyle::SP_DialogOpenButton},    {"BORDAC", QStyle::SP_ArrowDown},
        {"BORDVE", QStyle::SP_ArrowUp},                {"BPREV", QStyle::SP_FileDialogInfoView},
        {"BSCAD", QStyle::SP_FileDialogStart},         {"BStat", QStyle::SP_FileDialogDetailedView},
        {"BAgRiep", QStyle::SP_DirLinkIcon},           {"BCS", QStyle::SP_DriveNetIcon},
        {"BAccessi", QStyle::SP_DialogYesButton},      {"BGestImm", QStyle::SP_DesktopIcon},
        {"BInfo", QStyle::SP_MessageBoxInformation},   {"BEsci", QStyle::SP_DialogCloseButton},
    };
    return pictures.value(tool, QStyle::SP_FileIcon);
}

} // namespace

Principale::Principale(AppGlobals& globals, QWidget* parent)
    : QMainWindow(parent), m_globals(globals), m_dispatcher(std::make_unique<CommandDispatcher>(*this, globals))
{
    setObjectName(QStringLiteral("Principale"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    m_workspace = new Workspace(this);
    setCentralWidget(m_workspace);
    buildMenus();
    buildWindowMenu();
    buildStatusBar();
    // The first time the window fills the screen; then it opens as the user left it.
    if (QScreen* shown = screen())
        setGeometry(shown->availableGeometry());
    setWindowState(Qt::WindowMaximized);

    loadLayout();
    setWindowTitle(m_globals.programTitle);
    BaseComponent* base = m_globals.base;
    m_panels[0]->setText(QStringLiteral("Utente Collegato : ") + base->UserName);
    setFiscalYearPanel(base->FiscalYear.isEmpty() ? QStringLiteral("Non Definito   ") : base->FiscalYear + QStringLiteral("   "));
    m_panels[2]->setText(QStringLiteral("Data : ") + Platform::instance().today().toString(QStringLiteral("dd/MM/yyyy"))
                         + QStringLiteral("   "));
    loadBackground();
}

Principale::~Principale() = default;

QMdiArea* Principale::workspace() const
{
    return m_workspace;
}

void Principale::buildMenus()
{
    QHash<QString, QAction*> tools;
    for (const ToolDefinition& t : toolDefinitions()) {
        auto* action = new QAction(t.caption, this);
        action->setObjectName(t.name);
        action->setIcon(style()->standardIcon(toolPicture(t.name)));
        action->setIconVisibleInMenu(false);
        const QString name = t.name;
        connect(action, &QAction::triggered, this, [this, name] { toolClicked(name); });
        tools.insert(t.name, action);
    }

    QMenuBar* bar = menuBar();
    bar->setObjectName(MenuBarName);
    for (const MenuDefinition& m : menuDefinitions()) {
        QMenu* menu = bar->addMenu(m.caption);
        menu->setObjectName(m.name + QStringLiteral("_menu"));
        menu->menuAction()->setObjectName(m.name);
        m_menus.insert(m.name, menu->menuAction());
        for (const QString& tool : m.tools)
            menu->addAction(tools.value(tool));
    }
    m_lock = new QAction(UnlockedCaption, this);
    m_lock->setObjectName(LockTool);
    m_lock->setCheckable(true);
    connect(m_lock, &QAction::triggered, this, [this] { toolClicked(LockTool); });
    bar->addAction(m_lock);
    m_bandFlags.insert(MenuBarName, 0);

    // The bands' Italian names, as their context menu lists them.
    static const QHash<QString, QString> bandTitles = {
        {QStringLiteral("BAnag"), QStringLiteral("Anagrafiche")}, {QStringLiteral("BMaga"), QStringLiteral("Magazzino")},
        {QStringLiteral("BPaga"), QStringLiteral("Pagamenti")},   {QStringLiteral("BFatt"), QStringLiteral("Fatturazione")},
        {QStringLiteral("BStandard"), QStringLiteral("Standard")},
    };
    QHash<QString, QToolBar*>& bands = m_bands;
    for (const BandDefinition& b : bandDefinitions()) {
        auto* band = new QToolBar(bandTitles.value(b.name, b.name), this);
        band->setObjectName(b.name);
        // Captions without pictures: three rows of bands then show every tool at 1024 pixels.
        band->setToolButtonStyle(Qt::ToolButtonTextOnly);
        for (const QString& tool : b.tools)
            band->addAction(tools.value(tool));
        bands.insert(b.name, band);
        m_bandFlags.insert(b.name, 0);
    }
    // By default the bands stand in three rows, so that each shows all its tools.
    const QStringList rows[] = {{"BAnag", "BMaga"}, {"BFatt"}, {"BPaga", "BStandard"}};
    for (const QStringList& row : rows) {
        if (&row != rows)
            addToolBarBreak();
        for (const QString& name : row)
            addToolBar(Qt::TopToolBarArea, bands.value(name));
    }
}

void Principale::buildWindowMenu()
{
    // The usual commands of a window holding several screens, and the list of the open ones.
    QMenu* menu = new QMenu(QStringLiteral("Fi&nestra"), this);
    menu->setObjectName(QStringLiteral("MFinestra_menu"));
    menu->menuAction()->setObjectName(QStringLiteral("MFinestra"));
    menuBar()->insertMenu(m_lock, menu);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        const QList<QMdiSubWindow*> screens = m_workspace->subWindowList();
        auto add = [&](const QString& caption, const char* name, auto slot, const QKeySequence& key = {}) {
            QAction* a = menu->addAction(caption, m_workspace, slot);
            a->setObjectName(QString::fromLatin1(name));
            a->setShortcut(key);
            a->setEnabled(!screens.isEmpty());
        };
        add(QStringLiteral("&Sovrapponi"), "BSovrapponi", &QMdiArea::cascadeSubWindows);
        add(QStringLiteral("&Affianca"), "BAffianca", &QMdiArea::tileSubWindows);
        add(QStringLiteral("Finestra s&uccessiva"), "BSuccessiva", &QMdiArea::activateNextSubWindow,
            QKeySequence(Qt::CTRL | Qt::Key_F6));
        add(QStringLiteral("&Chiudi"), "BChiudi", &QMdiArea::closeActiveSubWindow, QKeySequence(Qt::CTRL | Qt::Key_F4));
        add(QStringLiteral("Chiudi &tutte"), "BChiudiTutte", &QMdiArea::closeAllSubWindows);
        if (!screens.isEmpty())
            menu->addSeparator();
        for (int i = 0; i < screens.size(); ++i) {
            QMdiSubWindow* frame = screens[i];
            QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(frame->windowTitle()), this,
                                         [this, frame] { m_workspace->setActiveSubWindow(frame); });
            a->setCheckable(true);
            a->setChecked(frame == m_workspace->activeSubWindow());
        }
    });
}

void Principale::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(m_panels[i], i == 0 ? 1 : 0);
    }
    setStatusBar(bar);
}

QString Principale::layoutFile() const
{
    return m_globals.programFolder + LayoutFileName;
}

void Principale::loadLayout()
{
    const auto layout = loadMenuLayout(layoutFile());
    if (!layout || !restoreState(layout->windowState))
        return;
    if (!layout->windowGeometry.isEmpty())
        restoreGeometry(layout->windowGeometry);
    for (auto it = m_bandFlags.begin(); it != m_bandFlags.end(); ++it)
        it.value() = layout->bandFlags.value(it.key(), it.value());
    m_lock->setChecked(layout->locked);
    m_lock->setText(layout->locked ? LockedCaption : UnlockedCaption);
    applyLock();
    ApplyModuleMenus();
}

void Principale::saveLayout(const QString& file) const
{
    MenuLayout layout;
    layout.windowState = saveState();
    layout.windowGeometry = saveGeometry();
    layout.locked = menusLocked();
    layout.bandFlags = m_bandFlags;
    saveMenuLayout(file, layout);
}

bool Principale::menusLocked() const
{
    return m_lock->isChecked();
}

void Principale::applyLock()
{
    for (QToolBar* band : std::as_const(m_bands))
        band->setMovable(!(m_bandFlags.value(band->objectName()) & LockedBandFlag));
}

void Principale::toggleLock()
{
    const qint32 change = m_lock->isChecked() ? LockedBandFlag : -LockedBandFlag;
    m_lock->setText(m_lock->isChecked() ? LockedCaption : UnlockedCaption);
    for (const QString& band : {MenuBarName, QStringLiteral("BAnag"), QStringLiteral("BMaga"), QStringLiteral("BFatt"),
                                QStringLiteral("BPaga"), QStringLiteral("BStandard")})
        m_bandFlags[band] += change;
    applyLock();
}

QStringList Principale::absentModuleBands() const
{
    const BaseComponent* base = m_globals.base;
    QStringList absent;
    if (!base->WarehouseModuleLoaded)
        absent << QStringLiteral("BMaga");
    if (!base->InvoicingModuleLoaded)
        absent << QStringLiteral("BFatt");
    if (!base->PaymentsModuleLoaded)
        absent << QStringLiteral("BPaga");
    return absent;
}

void Principale::ApplyModuleMenus()
{
    const BaseComponent* base = m_globals.base;
    const struct
    {
        const char* menu;
        const char* band;
        bool loaded;
    } modules[] = {
        {"Magazzino", "BMaga", base->WarehouseModuleLoaded},
        {"Fatturazione", "BFatt", base->InvoicingModuleLoaded},
        {"Pagamenti", "BPaga", base->PaymentsModuleLoaded},
    };
    for (const auto& m : modules) {
        m_menus.value(QString::fromLatin1(m.menu))->setVisible(m.loaded);
        m_bands.value(QString::fromLatin1(m.band))->setVisible(m.loaded);
    }
    menuBar()->adjustSize();
}

QMenu* Principale::createPopupMenu()
{
    QMenu* menu = QMainWindow::createPopupMenu();
    if (!menu)
        return nullptr;
    const QStringList absent = absentModuleBands();
    for (QAction* a : menu->actions()) {
        for (const QString& band : absent)
            if (a == m_bands.value(band)->toggleViewAction())
                menu->removeAction(a);
    }
    return menu;
}

bool Principale::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        ApplyModuleMenus();
        m_activated = true;
    }
    return QMainWindow::event(event);
}

void Principale::setFiscalYearPanel(const QString& text)
{
    m_panels[1]->setText(QStringLiteral("Esercizio Azienda : ") + text);
}

void Principale::toolClicked(const QString& name)
{
    // A click is handled after the window events that came before it.
    QCoreApplication::processEvents();
    if (name == QLatin1String("BEsci"))
        close();
    else if (name == QLatin1String("BSfondo"))
        ChooseBackground();
    else if (name == LockTool)
        toggleLock();
    else if (const QString key = commandKeyOfTool(name); !key.isEmpty())
        DispatchCommand(key);
}

void Principale::DispatchCommand(const QString& key)
{
    m_dispatcher->DispatchCommand(key);
}

void Principale::loadBackground()
{
    // A background that cannot be found or read leaves the workspace plain, without a word.
    QString picture;
    try {
        Database db = Database::open(m_globals.base->LocalDbPath, m_globals.base->ConnectString);
        Recordset options = Recordset::openTable(db, QStringLiteral("OpzUtente"));
        const QVariant chosen = options.isEOF() ? QVariant() : options.value(QStringLiteral("Sfondo"));
        if (chosen.isNull())
            picture = m_globals.programFolder + QStringLiteral("/Sfondo.jpg");
        else if (chosen.toString() != QLatin1String("Senza"))
            picture = chosen.toString();
    } catch (const std::exception&) {
        return;
    }
    m_workspace->loadPicture(picture);
}

void Principale::storeBackground(const QString& value)
{
    Database db = Database::open(m_globals.base->LocalDbPath, m_globals.base->ConnectString);
    Recordset options = Recordset::openTable(db, QStringLiteral("OpzUtente"));
    if (options.isEOF())
        options.AddNew();
    else
        options.Edit();
    options.setValue(QStringLiteral("Sfondo"), value);
    options.Update();
}

void Principale::ChooseBackground()
{
    Platform& platform = Platform::instance();
    const QString title = m_globals.programTitle;
    QString file;
    try {
        file = platform.chooseOpenFile(this, QStringLiteral("Pictures (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif"));
    } catch (const std::exception&) {
        platform.refuse(QStringLiteral("Errore Durante l' Apertura dell' Immagine..."), title);
        return;
    }
    try {
        if (file.isEmpty()) {
            if (!platform.askDestructive(QStringLiteral("Non è stato Selezionato uno Sfondo, si Desidera Cancellare quello Esistente?"), title))
                return;
            storeBackground(QStringLiteral("Senza"));
            platform.message(QStringLiteral("Lo Sfondo è stato Eliminato. Le Modifiche Avranno Effetto dal Prossimo Riavvio"),
                             Platform::Icon::None, Platform::Buttons::Ok, QString());
        } else {
            platform.message(QStringLiteral("Lo Sfondo è stato Modificato. Le Modifiche Avranno Effetto dal Prossimo Riavvio"),
                             Platform::Icon::None, Platform::Buttons::Ok, title);
            storeBackground(file);
        }
    } catch (const DatabaseError& e) {
        platform.refuse(failureMessage(e), title);
    }
}

void Principale::closeEvent(QCloseEvent* event)
{
    Platform& platform = Platform::instance();
    const QString title = m_globals.programTitle;
    BaseComponent* base = m_globals.base;
    if (!platform.ask(QStringLiteral("Si Desidera Terminare la Sessione di Lavoro?"), title)) {
        event->ignore();
        return;
    }
    if (base->EditingScreenCount >= 1) {
        platform.refuse(QStringLiteral("Attenzione: Non è possibile Uscire se delle Maschere sono in Modifica!"), title);
        event->ignore();
        return;
    }
    try {
        Database users = Database::open(base->UserDbPath, base->ConnectString);
        JetQuery select;
        select << "Select * From " << Jet::table(QStringLiteral("Password")) << " where Codice=" << Jet::text(base->UserName);
        Recordset user = Recordset::open(users, select, Recordset::Type::Dynaset);
        if (!user.isEmpty()) {
            user.Edit();
            user.setValue(QStringLiteral("esercizio"), base->FiscalYear);
            user.Update();
        }
        base->dropEndedLocks(true);
        saveLayout(base->AppPath + LayoutFileName);
    } catch (const std::exception&) {
        // A clean-up that fails lets the window close without a word.
        return;
    }
    platform.endProgram();
}
