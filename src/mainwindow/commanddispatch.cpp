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

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVariant>
#include <stdexcept>

namespace {

// The descriptions the platform gives of a call on a missing object or member.
const char* const NoObject = "Variabile oggetto o variabile del blocco With non impostata";
const char* const NoMember = "Proprietà o metodo non supportati dall'oggetto";

template <typename T>
T* child(QWidget* screen, const QString& name)
{
    T* found = screen->findChild<T*>(name);
    if (!found)
        throw std::runtime_error(NoMember);
    return found;
}

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
        platform.setHourglass(false);
        platform.refuse(failureMessage(e), base()->AppTitle);
    } catch (const std::exception& e) {
        platform.setHourglass(false);
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
        platform.showHelp(m_globals.programFolder + QStringLiteral("/") + HelpFile, HelpTopic);
    } else if (key == QLatin1String("tarmel")) {
        platform.openUrl(MakerUrl);
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
        QWidget* screen = b->TableForm();
        if (!screen || b->DialogResult == QLatin1String("Annulla Apertura"))
            return {};
        screen->setWindowTitle(m_globals.programTitle + QStringLiteral(" : ") + title);
        // The help context grows by the table number's digits; once it would no longer fit in
        // 32 bits it starts again from the table number, so that the screen keeps opening.
        bool fits = false;
        const qint32 context =
            (QString::number(screen->property("HelpContextID").toInt()) + QString::number(number)).toInt(&fits);
        screen->setProperty("HelpContextID", fits ? context : qint32(number));
        const QString tag = QString::number(number);
        if (screen->property("Tag").toString() != tag) {
            screen->setProperty("Tag", tag);
            if (kind == 10)
                child<QLabel>(screen, QStringLiteral("lblValuta"))->setText(QStringLiteral("Valuta / ") + b->BaseCurrency);
            auto* data = child<DataControl>(screen, QStringLiteral("DataTabelle"));
            data->DatabaseName = archive;
            data->Connect = b->ConnectString;
            JetQuery recordSource;
            recordSource << "SELECT * FROM " << Jet::table(source);
            data->RecordSource = recordSource;
            data->Refresh();
            if (!QMetaObject::invokeMethod(screen, "ArrangeControls"))
                throw std::runtime_error(NoMember);
            child<QWidget>(screen, QStringLiteral("PanDati_%1").arg(number))->show();
            QWidget* grid = child<QWidget>(screen, QStringLiteral("TDBGTabella"));
            grid->setProperty("LayoutName", gridLayoutName(kind));
            grid->setProperty("LayoutFileName", m_globals.programFolder + QStringLiteral("/Layout.grx"));
            if (!QMetaObject::invokeMethod(grid, "LoadLayout") || !QMetaObject::invokeMethod(grid, "ReBind"))
                throw std::runtime_error(NoMember);
        }
        bringToFront(screen);
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
