#include "commanddispatch.h"
#include "commands.h"
#include "principale.h"
#include "components/basecomponent.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "import/importazione.h"
#include "masterdata/datiazienda.h"
#include "masterdata/gestaccessi.h"
#include "masterdata/localita.h"
#include "masterdata/modpaga.h"
#include "masterdata/numeratori.h"
#include "startup/aboutbox.h"
#include "common/appglobals.h"
#include "startup/ricercaserver.h"
#include "wizard/autocomp.h"
#include "components/failuremessage.h"
#include "components/sharedtablescreen.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QVariant>
#include <stdexcept>

namespace {

// The descriptions the platform gives of a call on a missing object or member.
const char* const NoObject = "Variabile oggetto o variabile del blocco With non impostata";
const char* const NoMember = "Proprietà o metodo non supportati dall'oggetto";

} // namespace

CommandDispatcher::CommandDispatcher(Principale& window, AppGlobals& globals) : m_window(window), m_globals(globals) {}

CommandDispatcher::~CommandDispatcher() = default;

BaseComponent* CommandDispatcher::base() const
{
    return m_globals.base;
}

void CommandDispatcher::DispatchCommand(const QString& key)
{
    if (base()->FiscalYear.isEmpty() && key != QLatin1String("ricesercizio")) {
        chooseFiscalYear(true);
        return;
    }
    Platform& platform = Platform::instance();
    try {
        Hourglass busy;
        carryOut(key);
    } catch (const DatabaseError& e) {
        platform.refuse(failureMessage(e), base()->AppTitle);
    } catch (const std::exception& e) {
        platform.refuse(QString::fromUtf8(e.what()), base()->AppTitle);
    }
}

void CommandDispatcher::carryOut(const QString& key)
{
    Platform& platform = Platform::instance();
    BaseComponent* b = base();
    const QString title = m_globals.programTitle;

    if (const TableCommand* table = tableCommand(key)) {
        if (table->key == QLatin1String("password") && !administratorOnly())
            return;
        const QString error = OpenTableScreen(table->number, table->title, table->source, table->kind, 1,
                                              table->userArchive ? b->UserDbPath : b->DataDbPath);
        if (!error.isEmpty()) {
            platform.setHourglass(false);
            platform.refuse(error, title);
        }
        return;
    }
    if (const BaseScreen form = baseScreenCommand(key)) {
        bringToFront((b->*form)());
        return;
    }
    if (const ModuleCommand* command = moduleCommand(key)) {
        QObject* component = command->module == Module::Warehouse   ? m_globals.warehouse
                             : command->module == Module::Invoicing ? m_globals.invoicing
                                                                    : m_globals.payments;
        showModuleScreen(component, command->property, command->modal);
        return;
    }
    if (key == QLatin1String("prev")) {
        if (b->WarehouseModuleLoaded && b->PaymentsModuleLoaded)
            showModuleScreen(m_globals.warehouse, "objprev", false);
        else
            showModuleScreen(m_globals.payments, "objordprev", false);
        return;
    }
    if (key == QStringLiteral("località")) {
        showScreen(m_localities, b);
    } else if (key == QLatin1String("modpaga")) {
        showScreen(m_paymentTerms, b);
    } else if (key == QLatin1String("azienda")) {
        showScreen(m_company, b);
    } else if (key == QLatin1String("numeratori")) {
        showScreen(m_numerators, b);
    } else if (key == QLatin1String("gestioneloc")) {
        if (administratorOnly())
            showScreen(m_locks, b);
    } else if (key == QLatin1String("importadati")) {
        showScreen(m_import, b);
    } else if (key == QLatin1String("AUTOCOMP")) {
        showScreen(m_wizard, b);
    } else if (key == QLatin1String("server")) {
        platform.setHourglass(false);
        if (b->EditingScreenCount != 0) {
            platform.inform(QStringLiteral("Attenzione: Impossibile Accedere a questa Funzione.\r"
                                           "Alcune Maschere sono in Modifica.\r"
                                           "Chiudere le Maschere e Ritentare."),
                            b->AppTitle);
            return;
        }
        RicercaServer configuration(m_globals, &m_window);
        configuration.Tag = QStringLiteral("Nel Prog");
        configuration.exec();
    } else if (key == QLatin1String("info")) {
        platform.setHourglass(false);
        frmAbout about(b, &m_window);
        about.exec();
    } else if (key == QLatin1String("ricesercizio")) {
        platform.setHourglass(false);
        chooseFiscalYear(false);
    } else if (key == QLatin1String("aiuto")) {
        if (!platform.showHelp(m_globals.programFolder + QStringLiteral("/") + HelpFile, HelpTopic)) {
            platform.inform(QStringLiteral("Impossibile aprire la Guida: su questa postazione non c'è un "
                                           "browser che la possa mostrare."),
                            title);
        }
    } else if (key == QLatin1String("tarmel")) {
        if (!platform.openUrl(MakerUrl)) {
            platform.inform(QStringLiteral("Impossibile aprire la pagina %1: su questa postazione non c'è un "
                                           "browser che la possa mostrare.").arg(MakerUrl),
                            title);
        }
    }
}

bool CommandDispatcher::administratorOnly()
{
    if (base()->IsAdministrator)
        return true;
    Platform::instance().setHourglass(false);
    Platform::instance().inform(QStringLiteral("Accesso non autorizzato agli Utenti"), base()->AppTitle);
    return false;
}

void CommandDispatcher::chooseFiscalYear(bool forced)
{
    Platform& platform = Platform::instance();
    const QString title = m_globals.programTitle;
    if (forced)
        platform.message(QStringLiteral("Esercizio Azienda Non Definito \r\rImpostare l'Esercizio dell' Azienda"),
                         Platform::Icon::Exclamation, Platform::Buttons::Ok, title);
    const QString error = base()->ShowLookup(9, JetQuery("-1"));
    if (!error.isEmpty())
        platform.refuse(error, title);
    const QString year = base()->DialogResult;
    if (year.isEmpty())
        return;
    base()->FiscalYear = year;
    m_window.setFiscalYearPanel(year + (forced ? QStringLiteral("    ") : QStringLiteral("   ")));
}

QString CommandDispatcher::OpenTableScreen(qint16 number, const QString& title, const QString& source, qint16 kind,
                                           qint16 option, const QString& archive)
{
    try {
        BaseComponent* b = base();
        b->TableSource = source;
        b->TableKind = kind;
        b->TableOption = option;
        b->TableNumber = number;
        SharedTableScreen* screen = b->TableForm();
        if (!screen)
            return {};
        QWidget* window = screen->window();
        window->setWindowTitle(m_globals.programTitle + QStringLiteral(" : ") + title);
        // The help context grows by the table number's digits; once it would no longer fit in
        // 32 bits it starts again from the table number, so that the screen keeps opening.
        bool fits = false;
        const qint32 context = (QString::number(screen->helpContext()) + QString::number(number)).toInt(&fits);
        screen->setHelpContext(fits ? context : qint32(number));
        const QString tag = QString::number(number);
        // A row being typed in the table shown is not dropped without asking.
        if (screen->tag() != tag && screen->mayLeaveTable()) {
            screen->setTag(tag);
            screen->setCurrencyCaption(kind == 10 ? QStringLiteral("Valuta / ") + b->BaseCurrency : QString());
            JetQuery recordSource;
            recordSource << "SELECT * FROM " << Jet::table(source);
            screen->readRows(archive, recordSource);
            screen->ArrangeControls();
            screen->showPanel(number);
            screen->useGridLayout(gridLayoutName(kind), m_globals.programFolder + QStringLiteral("/Layout.grx"));
        }
        bringToFront(window);
    } catch (const DatabaseError& e) {
        return failureMessage(e);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

void CommandDispatcher::showModuleScreen(QObject* component, const char* property, bool modal)
{
    if (!component)
        throw std::runtime_error(NoObject);
    const QVariant value = component->property(property);
    if (!value.isValid())
        throw std::runtime_error(NoMember);
    QObject* screen = value.value<QObject*>();
    if (!screen)
        throw std::runtime_error(NoObject);
    if (modal)
        Platform::instance().setHourglass(false);
    const bool called = modal ? QMetaObject::invokeMethod(screen, "Show", Q_ARG(int, 1))
                              : QMetaObject::invokeMethod(screen, "Show");
    if (!called)
        throw std::runtime_error(NoMember);
}

void CommandDispatcher::bringToFront(QWidget* screen)
{
    // A screen that closed itself while opening is left alone.
    if (!screen)
        return;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget()) ? screen->parentWidget() : screen;
    frame->show();
    screen->show();
    frame->raise();
    frame->activateWindow();
}
