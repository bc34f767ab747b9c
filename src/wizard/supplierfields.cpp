#include "autocomp.h"
#include "common/datacontrol.h"
#include "common/recordset.h"

#include <QLineEdit>

// The supplier of a purchase document: the code as typed, the name found for it and, hidden,
// the supplier's key. The name is filled only while the code names a supplier.
void AutoComp::supplierCodeChanged()
{
    JetQuery criterion;
    criterion << "Codice = " << Jet::text(tRicCodFor->text());
    WorkText = criterion.jetText();
    try {
        Recordset suppliers =
            Recordset::open(dataArchive(), (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Fornitori")) << " WHERE ") << criterion,
                            Recordset::Type::Snapshot);
        if (suppliers.isEOF()) {
            tRicDescFor->clear();
            return;
        }
        tRicDescFor->setText(suppliers.value(QStringLiteral("Denominazione")).toString());
        tAppoRicFor->setText(suppliers.value(QStringLiteral("id")).toString());
    } catch (const DatabaseError&) {
        // A look-up while typing stays silent: the check of step 2 refuses an unknown code.
    }
}

// A key put into the hidden field (by the supplier search) brings its code, and the code its name.
void AutoComp::supplierKeyChanged()
{
    base()->IncrementalSearch(QStringLiteral("id"), tAppoRicFor, tRicCodFor, QStringLiteral("Fornitori"), DataRicerche,
                              QStringLiteral("Codice"), false);
}

void AutoComp::searchSupplier()
{
    base()->ShowSupplierSearch();
    if (base()->DialogResult.isEmpty())
        return;
    if (tAppoRicFor->text() == base()->DialogResult)
        supplierKeyChanged();
    else
        tAppoRicFor->setText(base()->DialogResult);
}
