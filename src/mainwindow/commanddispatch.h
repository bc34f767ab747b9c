#pragma once
#include <QPointer>
#include <QString>

struct AppGlobals;
class AutoComp;
class BaseComponent;
class DatiAzienda;
class GestAccessi;
class Importazione;
class Localita;
class ModPaga;
class Numeratori;
class Principale;
class QObject;
class QWidget;

// Carries out the command keys of the main window's menus: the shared table screen, the
// screens of this system, of the base component and of the module components, and the small
// actions (help, about box, fiscal-year choice, the maker's page). Without a fiscal year every
// command but the choice of one leads to that choice; user access and lock management are for
// administrators; the data-folder configuration waits until no screen is in edit mode.
// A command that fails shows the description of its error.
class CommandDispatcher
{
public:
    CommandDispatcher(Principale& window, AppGlobals& globals);
    ~CommandDispatcher();

    void DispatchCommand(const QString& key);
    // Shows a table in the base component's shared table screen; the description of the error
    // that stopped it, or empty.
    QString OpenTableScreen(qint16 number, const QString& title, const QString& source, qint16 kind, qint16 option,
                            const QString& archive);

    // The maker's web page.
    static inline const QString MakerUrl = QStringLiteral("https://www.tarmel.it");
    // The help file in the program folder and the main window's topic in it.
    static inline const QString HelpFile = QStringLiteral("BrevanoV.html");
    static constexpr int HelpTopic = 260;

private:
    void carryOut(const QString& key);
    void chooseFiscalYear(bool forced);
    bool administratorOnly();
    void showModuleScreen(QObject* component, const char* property, bool modal);
    void bringToFront(QWidget* screen);
    BaseComponent* base() const;

    Principale& m_window;
    AppGlobals& m_globals;
    QPointer<DatiAzienda> m_company;
    QPointer<Localita> m_localities;
    QPointer<ModPaga> m_paymentTerms;
    QPointer<Numeratori> m_numerators;
    QPointer<GestAccessi> m_locks;
    QPointer<Importazione> m_import;
    QPointer<AutoComp> m_wizard;
};
