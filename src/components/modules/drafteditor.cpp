#include "drafteditor.h"
#include "draftrowsgrid.h"
#include "components/base/lookupdialog.h"
#include "components/reportfailures.h"
#include "common/platform.h"

#include <QLineEdit>

DraftEditor::DraftEditor(BaseComponent* base, QWidget* parent) : QWidget(parent), m_base(base)
{
}

DraftEditor::~DraftEditor()
{
    setEditing(false);
}

void DraftEditor::setEditing(bool editing)
{
    if (editing != m_editing)
        m_base->EditingScreenCount += editing ? 1 : -1;
    m_editing = editing;
}

bool DraftEditor::cancel()
{
    if (!m_editing)
        return true;
    if (m_typed && !Platform::instance().askDestructive(discardQuestion(), m_base->AppTitle))
        return false;
    end();
    return true;
}

void DraftEditor::end()
{
    m_lock.reset();
    setEditing(false);
    m_typed = false;
    emit finished();
}

void DraftEditor::written()
{
    emit m_base->movementsChanged();
}

void DraftEditor::makeRows(const QVector<DraftRowsModel::Column>& columns, const QString& gridName)
{
    m_rows = new DraftRowsModel(m_base->dataArchive(), m_base->books(), columns, this);
    m_grid = new DraftRowsGrid(m_rows, [this](QWidget* editor) { m_base->useDecimalKeys(editor); }, this);
    m_grid->setObjectName(gridName);
    connect(m_grid, &DraftRowsGrid::lookupRequested, this, &DraftEditor::pickForRow);
    connect(m_rows, &DraftRowsModel::refused, this, [this](const QString& message, const QModelIndex& where) {
        Platform::instance().refuse(message, m_base->AppTitle);
        m_grid->setCurrentIndex(where);
    });
}

void DraftEditor::pickFromList(QLineEdit* field, const QString& table, const QString& caption)
{
    const bool named = table == QLatin1String("Clienti") || table == QLatin1String("Fornitori")
                       || table == QLatin1String("Agenti") || table == QLatin1String("Vettori")
                       || table == QLatin1String("Articoli");
    const QString name = table == QLatin1String("Articoli") ? QStringLiteral("Descrizione")
                         : named                             ? QStringLiteral("Denominazione")
                                                             : QStringLiteral("Desc");
    reportFailures(m_base->AppTitle, [&] {
        const Recordset rows = Recordset::open(m_base->dataArchive(), JetQuery("SELECT * FROM ") << Jet::table(table),
                                               Recordset::Type::Snapshot, true);
        LookupDialog dialog(m_base->AppTitle + QStringLiteral(" : ") + caption, rows, {QStringLiteral("Codice"), name},
                            {QStringLiteral("Codice"), QStringLiteral("Descrizione")}, this);
        m_base->PrepareDialog(&dialog);
        if (dialog.exec() == QDialog::Accepted && dialog.pickedRow() >= 0) {
            field->setText(dialog.pickedValue(QStringLiteral("Codice")).toString());
            emit field->editingFinished();
        }
    });
}

void DraftEditor::pickForRow(const QModelIndex& index)
{
    const struct
    {
        DraftRowsModel::Column column;
        const char *table, *caption;
    } lists[] = {{DraftRowsModel::Article, "Articoli", "Articoli"},
                 {DraftRowsModel::VatCode, "IVA", "Codici I.V.A."},
                 {DraftRowsModel::Deposit, "Depositi", "Depositi"}};
    for (const auto& list : lists)
        if (m_rows->columnAt(index.column()) == list.column) {
            QLineEdit picked;
            pickFromList(&picked, QString::fromLatin1(list.table), QString::fromLatin1(list.caption));
            if (!picked.text().isEmpty())
                m_rows->setData(index, picked.text(), Qt::EditRole);
        }
}

void DraftEditor::focusField(const QString& field)
{
    if (m_grid->focusRowField(field))
        return;
    QWidget* target = fieldNamed(field);
    target->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    if (target == m_grid && m_rows->rowCount() == 0)
        m_rows->insertRowAt(0);
}
