// The checks of a row beyond its fields' own rules, asked before it is stored or deleted: tax
// codes typed anew, and the users that keep the administrator screens within reach.
#include "tablescreen.h"
#include "fieldpanel.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/taxcodeproblem.h"

#include <QLineEdit>

namespace {

const QString UsersTable = QStringLiteral("Password");
const QString AdministratorType = QStringLiteral("A");

QString typed(const FieldPanel& panel, const QString& column)
{
    auto* edit = qobject_cast<QLineEdit*>(panel.field(column));
    return edit ? edit->text().trimmed() : QString();
}

bool isAdministrator(const QString& type)
{
    return type.trimmed().compare(AdministratorType, Qt::CaseInsensitive) == 0;
}

// Whether some administrator other than `code` remains.
bool anotherAdministrator(const Database& users, const QString& code)
{
    JetQuery q("SELECT COUNT(*) FROM ");
    q << Jet::identifier(UsersTable) << " WHERE Tipo = " << Jet::text(AdministratorType) << " AND Codice <> "
      << Jet::text(code);
    Rows found = users.select(q);
    return found.next() && found.value(0).toInt() > 0;
}

} // namespace

bool TableScreen::mayStore(const FieldPanel& panel, const Recordset& row)
{
    const struct
    {
        QString column;
        QString (*problem)(const QString&);
    } taxCodes[] = {{QStringLiteral("Piva"), vatNumberProblem}, {QStringLiteral("CodFiscale"), fiscalCodeProblem}};
    for (const auto& code : taxCodes) {
        QWidget* field = panel.field(code.column);
        if (!field)
            continue;
        const QString text = typed(panel, code.column);
        // A code kept once is not questioned again at every save of its row.
        const QString problem = row.value(code.column).toString().trimmed() == text ? QString() : code.problem(text);
        if (!problem.isEmpty() && !keepDoubtfulCode(problem, base()->AppTitle)) {
            say(problem);
            base()->FocusAndSelectAll(field);
            return false;
        }
    }
    if (panel.definition().table != UsersTable || row.editMode() != Recordset::EditMode::Editing
        || !isAdministrator(row.value(QStringLiteral("Tipo")).toString())
        || isAdministrator(typed(panel, QStringLiteral("Tipo"))))
        return true;
    const QString code = row.value(QStringLiteral("Codice")).toString();
    QString refusal;
    if (code.compare(base()->UserName, Qt::CaseInsensitive) == 0)
        refusal = QStringLiteral("Impossibile Togliere i Diritti di Amministratore all'Utente Collegato");
    else if (!anotherAdministrator(m_data->database(), code))
        refusal = QStringLiteral("Impossibile Togliere i Diritti all'Ultimo Amministratore");
    if (refusal.isEmpty())
        return true;
    say(refusal);
    base()->FocusAndSelectAll(panel.field(QStringLiteral("Tipo")));
    return false;
}

bool TableScreen::mayDelete(const FieldPanel& panel)
{
    if (!base()->lock(LockMode::CheckBeforeDelete, rowLock())) {
        Platform::instance().refuse(QStringLiteral("Dato in Modifica da Altro Utente. Impossibile Eliminare"),
                                    base()->AppTitle);
        return false;
    }
    if (panel.definition().table != UsersTable)
        return true;
    const Recordset& row = m_data->recordset();
    const QString code = row.value(QStringLiteral("Codice")).toString();
    QString refusal;
    if (code.compare(base()->UserName, Qt::CaseInsensitive) == 0)
        refusal = QStringLiteral("Impossibile Eliminare l'Utente Collegato");
    else if (isAdministrator(row.value(QStringLiteral("Tipo")).toString()) && !anotherAdministrator(m_data->database(), code))
        refusal = QStringLiteral("Impossibile Eliminare l'Ultimo Amministratore");
    if (refusal.isEmpty())
        return true;
    Platform::instance().refuse(refusal, base()->AppTitle);
    return false;
}
