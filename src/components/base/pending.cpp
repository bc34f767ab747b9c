// PENDING: placeholders until the areas below are built; each owner replaces its part
// with a file of its own and deletes it from here.
#include "baseclass.h"
#include "common/databaseerror.h"

namespace {
[[noreturn]] void notYet(const char* what)
{
    throw DatabaseError(DatabaseError::Kind::Statement, QStringLiteral("Funzione non disponibile: %1").arg(what));
}
} // namespace

// numbering and stock movements
qint32 BaseClass::NextDocumentNumber(const QString&, const QString&, const QString&, qint16, const QString&,
                                     const QString&, qint32, qint16)
{
    notYet("NextDocumentNumber");
}
void BaseClass::PostStockMovement(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                  const QString&, qint32&, QString&, QString&, DataControl*, DataControl*, qint32,
                                  qint32)
{
    notYet("PostStockMovement");
}

// screens
QWidget* BaseClass::TableForm() { notYet("TableForm"); }
QWidget* BaseClass::CustomersForm() { notYet("CustomersForm"); }
QWidget* BaseClass::SuppliersForm() { notYet("SuppliersForm"); }
QWidget* BaseClass::ArticlesForm() { notYet("ArticlesForm"); }
QWidget* BaseClass::AgentsForm() { notYet("AgentsForm"); }
QWidget* BaseClass::MaterialsForm() { notYet("MaterialsForm"); }
QWidget* BaseClass::ServicesForm() { notYet("ServicesForm"); }
QWidget* BaseClass::CarriersForm() { notYet("CarriersForm"); }
QWidget* BaseClass::PriceListsForm() { notYet("PriceListsForm"); }
QWidget* BaseClass::ImageManagerForm() { notYet("ImageManagerForm"); }
