#include "baseclass.h"
#include "pricelistprices.h"
#include "tabledefinitions.h"
#include "tablescreen.h"

SharedTableScreen* BaseClass::TableForm()
{
    // Null tells the caller that the screen could not open.
    if (!m_tableForm) {
        QVector<TableScreen::Panel> panels;
        for (int n = 0; n < TablePanelCount; ++n)
            panels.push_back({QStringLiteral("PanDati_%1").arg(n), tablePanel(n)});
        auto* screen = new TableScreen(this, QStringLiteral("TableForm"), panels);
        if (!screen->openScreen(AppTitle))
            return nullptr;
        m_tableForm = screen;
    }
    return m_tableForm;
}

QWidget* BaseClass::ownScreen(const QString& name, const QString& title, const TableDefinition& table,
                              const std::function<RecordRows*(QWidget*)>& recordRows)
{
    QPointer<QWidget>& screen = m_screens[name];
    if (!screen) {
        auto* editor = new TableScreen(this, name, {{QStringLiteral("PanDati"), &table}});
        if (recordRows)
            editor->setRecordRows(recordRows(editor));
        try {
            if (!editor->openOn(AppTitle + QStringLiteral(" : ") + title, DataDbPath, table))
                return nullptr;
        } catch (...) {
            editor->close();
            throw;
        }
        screen = editor;
    }
    return screen;
}

QWidget* BaseClass::CustomersForm() { return ownScreen(QStringLiteral("Clienti"), QStringLiteral("Anagrafica Clienti"), customersTable()); }
QWidget* BaseClass::SuppliersForm() { return ownScreen(QStringLiteral("Fornitori"), QStringLiteral("Anagrafica Fornitori"), suppliersTable()); }
QWidget* BaseClass::ArticlesForm() { return ownScreen(QStringLiteral("Articoli"), QStringLiteral("Anagrafica Articoli"), articlesTable()); }
QWidget* BaseClass::AgentsForm() { return ownScreen(QStringLiteral("Agenti"), QStringLiteral("Anagrafica Agenti"), agentsTable()); }
QWidget* BaseClass::MaterialsForm() { return ownScreen(QStringLiteral("Materiali"), QStringLiteral("Anagrafica Materiali"), materialsTable()); }
QWidget* BaseClass::ServicesForm() { return ownScreen(QStringLiteral("Servizi"), QStringLiteral("Anagrafica Servizi"), servicesTable()); }
QWidget* BaseClass::CarriersForm() { return ownScreen(QStringLiteral("Vettori"), QStringLiteral("Anagrafica Vettori"), carriersTable()); }
QWidget* BaseClass::PriceListsForm()
{
    return ownScreen(QStringLiteral("Listini"), QStringLiteral("Listini"), priceListsTable(),
                     [this](QWidget* screen) { return new PriceListPrices(this, screen); });
}
QWidget* BaseClass::ImageManagerForm() { return ownScreen(QStringLiteral("GestioneImmagine"), QStringLiteral("Gestione Immagine"), imagesTable()); }
