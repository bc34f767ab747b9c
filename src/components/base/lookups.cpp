#include "baseclass.h"
#include "lookupdialog.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/failuremessage.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>

namespace {

struct LookupKind
{
    qint16 kind;
    const char* caption;
    const char* table;        // listed when no selection is given
    QStringList columns;      // shown, the first is the one picked
    QStringList headings;
};

const QList<LookupKind>& lookupKinds()
{
    static const QList<LookupKind> kinds = {
        {9, "Esercizi Azienda", "Esercizio", {"Codice", "DTIn", "DTFi"}, {"Esercizio", "Dal", "Al"}},
        {21, "Stati", "Stati", {"id", "Descrizione"}, {"Stato", "Nome Stato"}},
        {22, "Provincie", "Provincie", {"id", "Descrizione"}, {"Prov.", "Nome Provincia"}},
        {23, "C.A.P.", "CAP", {"CAP", "Descrizione"}, {"C.A.P.", "Nome Località"}},
        {24, "Causali di Magazzino", "CauMag", {"Codice", "desc", "Segno"}, {"Causale", "Descrizione", "Segno"}},
        {25, "Articoli", "Articoli", {"Codice", "Descrizione"}, {"Codice", "Descrizione"}},
    };
    return kinds;
}

bool isNoFilter(const JetQuery& filter)
{
    return filter.isEmpty() || filter.jetText().trimmed() == QLatin1String("-1");
}

} // namespace

QString BaseClass::ShowLookup(qint16 kind, const JetQuery& filter)
{
    DialogResult.clear();
    const LookupKind* found = nullptr;
    for (const LookupKind& k : lookupKinds())
        if (k.kind == kind)
            found = &k;
    if (!found)
        return QStringLiteral("Tipo di ricerca non previsto: %1").arg(kind);
    try {
        Database db = Database::open(DataDbPath, ConnectString, true);
        JetQuery source;
        if (isNoFilter(filter))
            source << "SELECT * FROM " << Jet::table(QString::fromLatin1(found->table));
        else
            source = filter;
        Recordset rows = Recordset::open(db, source, Recordset::Type::Snapshot);
        LookupDialog dialog(AppTitle + QStringLiteral(" : ") + QString::fromUtf8(found->caption), rows,
                            found->columns, found->headings, m_mainWindow.data());
        PrepareDialog(&dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.pickedRow() < 0)
            return {};
        const QString picked = dialog.pickedValue(found->columns.first()).toString();
        if (kind == 22)
            SelectedProvince = picked;
        else if (kind == 23)
            SelectedPostalCode = picked;
        else
            DialogResult = picked;
    } catch (const DatabaseError& e) {
        return failureMessage(e);
    }
    return {};
}

void BaseClass::ShowSupplierSearch()
{
    DialogResult.clear();
    try {
        Database db = Database::open(DataDbPath, ConnectString, true);
        JetQuery source("SELECT * FROM ");
        source << Jet::table(QStringLiteral("Fornitori"));
        source.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Denominazione"), true}});
        LookupDialog dialog(AppTitle + QStringLiteral(" : Ricerca Fornitori"),
                            Recordset::open(db, source, Recordset::Type::Snapshot),
                            {"Codice", "Denominazione", "Localita1"}, {"Codice", "Denominazione", "Località"},
                            m_mainWindow.data());
        PrepareDialog(&dialog);
        if (dialog.exec() == QDialog::Accepted && dialog.pickedRow() >= 0)
            DialogResult = dialog.pickedValue(QStringLiteral("id")).toString();
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), AppTitle);
    }
}

void BaseClass::IncrementalSearch(const QString& keyField, QLineEdit* source, QLineEdit* target,
                                  const QString& table, DataControl*, const QString& field, bool)
{
    // The row whose key equals the source field's text gives the target field its value;
    // no such row empties the target.
    QString value;
    try {
        if (!source->text().isEmpty()) {
            Database db = Database::open(DataDbPath, ConnectString, true);
            JetQuery q;
            q << "SELECT " << Jet::identifier(field) << " FROM " << Jet::identifier(table) << " WHERE "
              << Jet::identifier(keyField) << " = " << Jet::text(source->text());
            Rows rows = db.select(q);
            if (rows.next())
                value = rows.value(0).toString();
        }
    } catch (const DatabaseError&) {
        // An archive that cannot be read empties the target, as a missing row does.
    }
    target->setText(value);
}

void BaseClass::ShowPictureDialog()
{
    DialogResult = Platform::instance().chooseOpenFile(
        m_mainWindow.data(), QStringLiteral("Immagini (*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.ico"));
}

void BaseClass::ShowCompanyPicture(QLabel* image, QLineEdit* pathBox, const QString& filePath)
{
    // "::" shows the picture the path box names; a chosen file goes into the path box first.
    if (filePath != QLatin1String("::")) {
        if (filePath.isEmpty())
            return;
        pathBox->setText(filePath);
    }
    const QString path = pathBox->text();
    QPixmap picture;
    if (!path.isEmpty() && path != QLatin1String("0") && QFileInfo(path).isFile())
        picture.load(path);
    if (picture.isNull())
        image->clear();
    else
        image->setPixmap(picture.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void BaseClass::BrowseForFolder(WId, QLineEdit* target)
{
    const QString folder = Platform::instance().chooseFolder(m_mainWindow.data(), target->text());
    if (!folder.isEmpty())
        target->setText(folder);
}
