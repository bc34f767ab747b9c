#include "drafteditor.h"
#include "components/typedrowsgrid.h"
#include "components/base/lookupdialog.h"
#include "components/reportfailures.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "documents/draftchecks.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

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

void DraftEditor::begin(DocumentDraft draft, std::optional<HeldLock> lock)
{
    m_lock = std::move(lock);
    m_draft = std::move(draft);
    setEditing(true);
    showDraft();
    m_typed = false;
    focusField(QStringLiteral("Data"));
}

void DraftEditor::save()
{
    m_grid->commitTyping();
    collect();
    std::optional<DraftRefusal> refusal;
    if (!reportFailures(m_base->AppTitle, [&] { refusal = check(); }))
        return;
    if (refusal) {
        Platform::instance().refuse(refusal->message, m_base->AppTitle);
        focusField(refusal->field);
        return;
    }
    // A failure leaves the draft, and all that was typed, as it was.
    if (!reportFailures(m_base->AppTitle, [this] { write(); }))
        return;
    written();
    end();
}

bool DraftEditor::confirmDeletion(const LockIdentity& lock, const QString& question, const std::function<void()>& remove)
{
    if (!m_base->lock(LockMode::CheckBeforeDelete, lock)) {
        Platform::instance().refuse(QStringLiteral("Dato in Modifica da Altro Utente. Impossibile Eliminare"), m_base->AppTitle);
        return false;
    }
    if (!Platform::instance().askDestructive(question, m_base->AppTitle)
        || !reportFailures(m_base->AppTitle, remove))
        return false;
    written();
    return true;
}

QWidget* DraftEditor::startForm()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* header = new QWidget(this);
    auto* grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Numero"), header), 0, 0);
    m_number = new QLabel(header);
    m_number->setObjectName(QStringLiteral("LBLNumero"));
    grid->addWidget(m_number, 0, 1);
    auto* dateLabel = new QLabel(QStringLiteral("Data"), header);
    m_date = new QLineEdit(header);
    m_date->setObjectName(QStringLiteral("DataReg"));
    m_date->setInputMask(DateInputMask);
    dateLabel->setBuddy(m_date);
    grid->addWidget(dateLabel, 0, 2);
    grid->addWidget(m_date, 0, 3);
    connect(m_date, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    layout->addWidget(header);
    return header;
}

QLineEdit* DraftEditor::addField(const QString& column, const QString& caption, int row, int col, QWidget* parent, int span)
{
    auto* grid = static_cast<QGridLayout*>(parent->layout());
    auto* label = new QLabel(caption, parent);
    auto* field = new QLineEdit(parent);
    field->setObjectName(column);
    label->setBuddy(field);
    grid->addWidget(label, row, col * 2);
    grid->addWidget(field, row, col * 2 + 1, 1, span);
    connect(field, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    m_fields.insert(column, field);
    return field;
}

void DraftEditor::written()
{
    emit m_base->movementsChanged();
}

void DraftEditor::makeRows(const QVector<DraftRowsModel::Column>& columns, const QString& gridName)
{
    m_rows = new DraftRowsModel(m_base->dataArchive(), m_base->books(), columns, this);
    m_grid = new TypedRowsGrid(m_rows, [this](QWidget* editor, int) { m_base->useDecimalKeys(editor); }, this);
    m_grid->setObjectName(gridName);
    connect(m_grid, &TypedRowsGrid::lookupRequested, this, &DraftEditor::pickForRow);
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
                                               Recordset::Type::Snapshot);
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
