#include "movementeditor.h"
#include "components/typedrowsgrid.h"
#include "components/reportfailures.h"
#include "components/screenframe.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "common/recordset.h"
#include "documents/draftchecks.h"
#include "documents/stockmovement.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

MovementKey pickedKey(const Recordset& picked)
{
    return {picked.value(QStringLiteral("idEsercizio")).toString(), picked.value(QStringLiteral("idCausale")).toString(),
            picked.value(QStringLiteral("NumInt")).toInt()};
}

} // namespace

LockIdentity movementLock(const BaseComponent* base, const MovementKey& key)
{
    LockIdentity id;
    id.owner = base->UserName;
    id.screenTitle = id.table = QStringLiteral("MovMagTes");
    const QString values[] = {key.fiscalYear, key.reason, QString::number(key.number)};
    const char* fields[] = {"idEsercizio", "idCausale", "NumInt"};
    for (int i = 0; i < 3; ++i) {
        id.keyValues[i] = values[i];
        id.keyFields[i] = QString::fromLatin1(fields[i]);
    }
    return id;
}

MovementEditor::MovementEditor(BaseComponent* base, bool openingStock, QWidget* parent)
    : DraftEditor(base, parent), m_openingStock(openingStock)
{
    setObjectName(QStringLiteral("EditorMovimento"));
    buildForm();
}

void MovementEditor::buildForm()
{
    QWidget* header = startForm();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    auto* grid = static_cast<QGridLayout*>(header->layout());
    m_reason = addField(QStringLiteral("idCausale"), QStringLiteral("Causale"), 0, 2, header);
    m_base->useTextKeys(m_reason);
    ScreenFrame::useLookup(m_reason, [this] { pickFromList(m_reason, QStringLiteral("CauMag"), QStringLiteral("Causali di Magazzino")); });
    connect(m_reason, &QLineEdit::editingFinished, this, &MovementEditor::reasonTyped);
    m_reasonName = new QLabel(header);
    m_reasonName->setObjectName(QStringLiteral("LBLCausale"));
    grid->addWidget(m_reasonName, 0, 6);
    m_note = addField(QStringLiteral("Note"), QStringLiteral("Note"), 1, 0, header, 6);
    grid->setColumnStretch(6, 1);

    makeRows(DraftRowsModel::MovementColumns, QStringLiteral("TDBGRigheMovimento"));
    m_grid->setAccessibleName(QStringLiteral("Righe del Movimento in Scrittura"));
    auto* rowsLabel = new QLabel(QStringLiteral("Righe del Movimento"), this);
    rowsLabel->setBuddy(m_grid);
    layout->addWidget(rowsLabel);
    m_grid->horizontalHeader()->setSectionResizeMode(m_rows->sectionOf(DraftRowsModel::Description), QHeaderView::Stretch);
    layout->addWidget(m_grid, 1);
    connect(m_rows, &DraftRowsModel::amountsChanged, this, [this] { m_typed = isEditing(); });

    // The date, the reason and the rows come first from the keyboard; the notes last.
    setTabOrder(m_date, m_reason);
    setTabOrder(m_reason, m_grid);
    setTabOrder(m_grid, m_note);
}

void MovementEditor::startNew()
{
    m_stored.reset();
    DocumentDraft draft;
    draft.kindCode = StockMovementKind;
    draft.date = Platform::instance().today();
    if (m_openingStock)
        draft.header.insert(QStringLiteral("Origine"), OpeningStockOrigin);
    begin(std::move(draft), std::nullopt);
}

bool MovementEditor::editPicked(const Recordset& picked)
{
    const MovementKey key = pickedKey(picked);
    // A movement of a document is refused before its lock is taken.
    std::optional<DocumentDraft> saved = readMovement(m_base->dataArchive(), key);
    std::optional<HeldLock> lock = saved ? HeldLock::take(*m_base, movementLock(m_base, key)) : std::nullopt;
    if (saved && !lock)
        return false;
    // Read again under the lock: the movement as stored from now on.
    if (saved)
        saved = readMovement(m_base->dataArchive(), key);
    if (!saved) {
        Platform::instance().refuse(QStringLiteral("Movimento non trovato: aggiornare l'elenco."), m_base->AppTitle);
        return false;
    }
    m_stored = key;
    begin(std::move(*saved), std::move(lock));
    return true;
}

std::optional<DraftRefusal> MovementEditor::check()
{
    return checkMovement(m_base->dataArchive(), m_draft, m_stored ? m_stored->fiscalYear : m_base->FiscalYear);
}

void MovementEditor::write()
{
    saveMovement(m_base->documentSession(), m_draft, m_stored);
}

bool MovementEditor::deletePicked(const Recordset& picked)
{
    const MovementKey key = pickedKey(picked);
    std::optional<DocumentDraft> saved;
    if (!reportFailures(m_base->AppTitle, [&] { saved = readMovement(m_base->dataArchive(), key); }) || !saved)
        return false;
    return confirmDeletion(movementLock(m_base, key),
                           QStringLiteral("Si Desidera Eliminare il Movimento %1 N. %2 del %3?")
                               .arg(key.reason)
                               .arg(key.number)
                               .arg(typedDate(saved->date)),
                           [&] { deleteMovement(m_base->documentSession(), key); });
}

QString MovementEditor::discardQuestion() const
{
    return QStringLiteral("Annullare le modifiche al movimento?");
}

QWidget* MovementEditor::fieldNamed(const QString& field) const
{
    return field == QLatin1String("Data")      ? m_date
           : field == QLatin1String("Causale") ? m_reason
           : field == QLatin1String("Note")    ? m_note
                                               : static_cast<QWidget*>(m_grid);
}

void MovementEditor::showDraft()
{
    m_number->setText(m_draft.numInt ? QString::number(m_draft.numInt) : QStringLiteral("(nuovo)"));
    m_date->setText(typedDate(m_draft.date));
    m_reason->setText(m_draft.movementReason);
    m_reasonName->clear();
    m_note->setText(m_draft.header.value(QStringLiteral("Note")).toString());
    m_rows->setDraft(&m_draft);
    if (!m_draft.movementReason.isEmpty())
        reasonTyped();
}

void MovementEditor::collect()
{
    // A row left blank (the one Tab opens after the last) is no row, nor shown as one.
    m_draft.rows.removeIf([](const DraftRow& r) { return r.article.isEmpty() && r.deposit.isEmpty() && !r.quantity; });
    m_rows->setDraft(&m_draft);
    const std::optional<QDate> date = parseTypedDate(m_date->text());
    m_draft.date = date ? *date : QDate();
    m_draft.movementReason = m_reason->text().trimmed();
    if (const QString note = m_note->text().trimmed(); note.isEmpty())
        m_draft.header.remove(QStringLiteral("Note"));
    else
        m_draft.header.insert(QStringLiteral("Note"), note);
}

void MovementEditor::reasonTyped()
{
    const QString code = m_reason->text().trimmed();
    m_reasonName->clear();
    if (code.isEmpty())
        return;
    std::optional<MovementReason> reason;
    if (!reportFailures(m_base->AppTitle, [&] { reason = readMovementReason(m_base->dataArchive(), code); }))
        return;
    if (!reason) {
        Platform::instance().refuse(QStringLiteral("Causale di magazzino sconosciuta: ") + code, m_base->AppTitle);
        m_reason->setFocus();
        m_reason->selectAll();
        return;
    }
    const QString sign = reason->sign == QLatin1String("+")   ? QStringLiteral("carico")
                         : reason->sign == QLatin1String("-") ? QStringLiteral("scarico")
                                                              : QStringLiteral("senza segno");
    m_reasonName->setText(QStringLiteral("%1 (%2)").arg(reason->description, sign));
}
