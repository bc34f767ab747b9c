#include "modulecomponent.h"
#include "components/base/tabledefinitions.h"
#include "components/basecomponent.h"

BaseComponent* ModuleComponent::base() const
{
    return qobject_cast<BaseComponent*>(m_base.data());
}

QObject* ModuleComponent::screen(const QString& name, ModuleScreen::Opener open, std::function<BrowserSpec()> modalView)
{
    ModuleScreen*& s = m_screens[name];
    if (!s)
        s = new ModuleScreen(this, name, std::move(open), std::move(modalView));
    return s;
}

namespace {

// A screen listing the documents of a kind.
ModuleScreen::Opener documents(const QString& name, const QString& kind, const QString& title,
                               DocumentVariant variant = DocumentVariant::Ordinary)
{
    return browserOpener(name, [kind, title, variant] { return documentsView(kind, title, variant); });
}

ModuleScreen::Opener view(const QString& name, BrowserSpec (*make)(const QString&), const QString& title)
{
    return browserOpener(name, [make, title] { return make(title); });
}

} // namespace

// Screens are named after the property that yields them.
QObject* WarehouseComponent::objgiacenze() { return screen("objgiacenze", view("objgiacenze", stockView, "Situazione Giacenze")); }
QObject* WarehouseComponent::objcaumag() { return screen("objcaumag", tableOpener("objcaumag", "Causali Magazzino", stockReasonsTable())); }
QObject* WarehouseComponent::objmovmaga() { return screen("objmovmaga", view("objmovmaga", movementsView, "Movimenti Magazzino")); }
QObject* WarehouseComponent::objddt() { return screen("objddt", documents("objddt", "DDT", "D.D.T.")); }
QObject* WarehouseComponent::objdistinta() { return screen("objdistinta", tableOpener("objdistinta", "Distinta Base", billOfMaterialsTable())); }
QObject* WarehouseComponent::objreso() { return screen("objreso", documents("objreso", "RESO", "Resi da Clienti")); }
QObject* WarehouseComponent::objinventario() { return screen("objinventario", view("objinventario", inventoryView, "Inventario")); }
QObject* WarehouseComponent::objapergiac()
{
    return screen("objapergiac", view("objapergiac", movementsView, "Apertura Giacenze"),
                  [] { return movementsView(QStringLiteral("Apertura Giacenze")); });
}
QObject* WarehouseComponent::objgestgiac() { return screen("objgestgiac", view("objgestgiac", stockView, "Gestione Giacenze")); }
QObject* WarehouseComponent::objprev() { return screen("objprev", documents("objprev", "PREV", "Preventivi")); }

// Pro-forma and service invoices are kept with the sales invoices, debit notes with the notes,
// each marked as such.
QObject* InvoicingComponent::objFATAC() { return screen("objFATAC", documents("objFATAC", "FATAC", "Fatture di Acquisto")); }
QObject* InvoicingComponent::objFATVE() { return screen("objFATVE", documents("objFATVE", "FATVE", "Fatture di Vendita")); }
QObject* InvoicingComponent::objFATPRO() { return screen("objFATPRO", documents("objFATPRO", "FATVE", "Fatture Proforma", DocumentVariant::ProForma)); }
QObject* InvoicingComponent::objFATSE() { return screen("objFATSE", documents("objFATSE", "FATVE", "Fatture Servizi", DocumentVariant::Service)); }
QObject* InvoicingComponent::objFATNC() { return screen("objFATNC", documents("objFATNC", "FATNC", "Note di Credito")); }
QObject* InvoicingComponent::objFATND() { return screen("objFATND", documents("objFATND", "FATNC", "Note di Debito", DocumentVariant::DebitNote)); }
QObject* InvoicingComponent::objgraf() { return screen("objgraf", view("objgraf", salesByCustomerView, "Statistiche")); }
QObject* InvoicingComponent::objriepage() { return screen("objriepage", view("objriepage", salesByAgentView, "Riepilogo Agenti")); }

QObject* PaymentsComponent::objORDAC() { return screen("objORDAC", documents("objORDAC", "ORDAC", "Ordini di Acquisto")); }
QObject* PaymentsComponent::objORDVE() { return screen("objORDVE", documents("objORDVE", "ORDVE", "Ordini di Vendita")); }
QObject* PaymentsComponent::objSCAD() { return screen("objSCAD", view("objSCAD", dueDatesView, "Scadenziario")); }
QObject* PaymentsComponent::objordprev() { return screen("objordprev", documents("objordprev", "PREV", "Preventivi")); }
