#include "documenteditor.h"
#include "components/typedrowsgrid.h"
#include "draftrowsmodel.h"
#include "components/reportfailures.h"
#include "components/screenframe.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "common/recordset.h"
#include "documents/documentkinds.h"
#include "documents/documentsave.h"
#include "documents/draftchecks.h"
#include "documents/invoicebook.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTime>

namespace {

// Header columns holding numbers or dates, typed as users type them.
const QStringList NumberColumns = {QStringLiteral("PercSconto"), QStringLiteral("PesoKG"), QStringLiteral("Colli")};
const QString DeliveryDate = QStringLiteral("DtCons");

QString money(Money euro)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(euro.toDouble(), 'f', 2);
}

} // namespace

LockIdentity documentLock(const BaseComponent* base, const DocumentKind& kind, const QDate& dataReg, qint32 numInt)
{
    LockIdentity id;
    id.owner = base->UserName;
    id.screenTitle = kind.headerTable;
    id.table = kind.headerTable;
    id.keyValues[0] = dataReg.toString(Qt::ISODate);
    id.keyValues[1] = QString::number(numInt);
    id.keyFields[0] = QStringLiteral("DataReg");
    id.keyFields[1] = QStringLiteral("NumInt");
    return id;
}

DocumentEditor::DocumentEditor(BaseComponent* base, const QString& kindCode, DocumentVariant variant, QWidget* parent)
    : DraftEditor(base, parent), m_kindCode(kindCode), m_variant(variant)
{
    setObjectName(QStringLiteral("EditorDocumento"));
    buildForm();
}

void DocumentEditor::startNew()
{
    DocumentDraft draft;
    draft.kindCode = m_kindCode;
    draft.variant = m_variant;
    draft.date = Platform::instance().today();
    begin(std::move(draft), std::nullopt);
}

bool DocumentEditor::startEdit(const QDate& dataReg, qint32 numInt)
{
    const DocumentKind* kind = documentKind(m_kindCode);
    const Database db = m_base->dataArchive();
    if (const auto written = eInvoiceRefusal(db, *kind, dataReg, numInt)) {
        Platform::instance().refuse(*written, m_base->AppTitle);
        return false;
    }
    std::optional<HeldLock> lock = HeldLock::take(*m_base, documentLock(m_base, *kind, dataReg, numInt));
    if (!lock)
        return false;
    std::optional<DocumentDraft> saved = readDraft(db, m_kindCode, dataReg, numInt);
    if (!saved) {
        lock.reset();
        Platform::instance().refuse(QStringLiteral("Documento non trovato: aggiornare l'elenco."), m_base->AppTitle);
        return false;
    }
    begin(std::move(*saved), std::move(lock));
    return true;
}

bool DocumentEditor::editPicked(const Recordset& picked)
{
    return startEdit(storedDate(picked.value(QStringLiteral("DataReg"))), picked.value(QStringLiteral("NumInt")).toInt());
}

bool DocumentEditor::deletePicked(const Recordset& picked)
{
    const QDate dataReg = storedDate(picked.value(QStringLiteral("DataReg")));
    const qint32 numInt = picked.value(QStringLiteral("NumInt")).toInt();
    const DocumentKind* kind = documentKind(m_kindCode);
    return confirmDeletion(documentLock(m_base, *kind, dataReg, numInt),
                           QStringLiteral("Si Desidera Eliminare il Documento N. %1 del %2?").arg(shownNumber(numInt)).arg(typedDate(dataReg)),
                           [&] { deleteDocument(m_base->documentSession(), kind->code, dataReg, numInt); });
}

std::optional<DraftRefusal> DocumentEditor::check()
{
    if (QLineEdit* time = m_fields.value(DeliveryTime); time && time->text() != QLatin1String(":")
                                                         && !m_draft.header.contains(DeliveryTime))
        return DraftRefusal{QStringLiteral("Ora Consegna"),
                            QStringLiteral("Ora di consegna non valida: scrivere ore e minuti (hh:mm).")};
    DocumentDraft checked = m_draft;
    return checkDraft(m_base->dataArchive(), checked, m_draft.fiscalYear.isEmpty() ? m_base->FiscalYear : m_draft.fiscalYear);
}

void DocumentEditor::write()
{
    saveDraft(m_base->documentSession(), m_draft);
}

QString DocumentEditor::discardQuestion() const
{
    return QStringLiteral("Annullare le modifiche al documento?");
}

void DocumentEditor::showDraft()
{
    showHeader();
    m_rows->setDraft(&m_draft);
}

void DocumentEditor::showHeader()
{
    m_number->setText(m_draft.numInt ? QString::number(shownNumber(m_draft.numInt)) : QStringLiteral("(nuovo)"));
    m_date->setText(typedDate(m_draft.date));
    m_counterpart->setText(m_draft.counterpartCode);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        const QVariant v = it.key() == QLatin1String("idCausaleDoc")     ? QVariant(m_draft.reason)
                           : it.key() == QLatin1String("MMidCausaleDoc") ? QVariant(m_draft.movementReason)
                                                                        : m_draft.header.value(it.key());
        if (it.key() == DeliveryDate)
            it.value()->setText(v.isNull() ? QString() : typedDate(storedDate(v)));
        else if (NumberColumns.contains(it.key()))
            it.value()->setText(v.isNull() ? QString() : italian.toString(v.toDouble(), 'g', 12));
        else
            it.value()->setText(v.toString());
    }
}

void DocumentEditor::collect()
{
    // A row left blank (the one Tab opens after the last) is no row.
    if (m_draft.rows.removeIf([](const DraftRow& r) { return r.isText() && r.description.trimmed().isEmpty(); }) > 0)
        m_rows->setDraft(&m_draft);
    if (const std::optional<QDate> date = parseTypedDate(m_date->text()))
        m_draft.date = *date;
    else
        m_draft.date = QDate();
    m_draft.counterpartCode = m_counterpart->text().trimmed();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        const QString text = it.value()->text().trimmed();
        if (it.key() == QLatin1String("idCausaleDoc"))
            m_draft.reason = text;
        else if (it.key() == QLatin1String("MMidCausaleDoc"))
            m_draft.movementReason = text;
        else if (it.key() == DeliveryTime && QTime::fromString(text, QStringLiteral("hh:mm")).isValid())
            m_draft.header.insert(it.key(), text);
        else if (text.isEmpty() || it.key() == DeliveryTime || (it.key() == DeliveryDate && !parseTypedDate(text)))
            m_draft.header.remove(it.key());
        else if (it.key() == DeliveryDate)
            m_draft.header.insert(it.key(), parseTypedDate(text)->toString(Qt::ISODate));
        else if (NumberColumns.contains(it.key()))
            m_draft.header.insert(it.key(), italian.toDouble(text));
        else
            m_draft.header.insert(it.key(), text);
    }
}

void DocumentEditor::counterpartTyped()
{
    const QString code = m_counterpart->text().trimmed();
    if (code.isEmpty() || code.compare(m_draft.counterpartCode, Qt::CaseInsensitive) == 0)
        return;
    collect();
    bool found = false;
    if (!reportFailures(m_base->AppTitle, [&] { found = fillCounterpart(m_base->dataArchive(), m_draft, code); }))
        return;
    if (!found) {
        const bool supplier = documentKind(m_kindCode)->supplierCounterpart;
        Platform::instance().refuse((supplier ? QStringLiteral("Fornitore sconosciuto: ") : QStringLiteral("Cliente sconosciuto: "))
                                        + code,
                                    m_base->AppTitle);
        m_counterpart->setFocus();
        m_counterpart->selectAll();
        return;
    }
    showHeader();
}

void DocumentEditor::showTotals()
{
    const DocumentAmounts& t = m_rows->totals();
    m_vat->setRowCount(int(t.byCode.size()));
    for (int r = 0; r < t.byCode.size(); ++r) {
        const VatTotals& line = t.byCode[r];
        const QStringList cells = {line.code.toUpper(), QLocale(QLocale::Italian).toString(line.rate.toDouble(), 'g', 4),
                                   money(line.taxable.euro), money(line.tax.euro)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            m_vat->setItem(r, c, item);
        }
    }
    m_totals->setText(QStringLiteral("Imponibile € %1   I.V.A. € %2   Totale Documento € %3")
                          .arg(money(t.taxable.euro), money(t.tax.euro), money(t.total.euro)));
    m_typed = isEditing();
}

QWidget* DocumentEditor::fieldNamed(const QString& field) const
{
    return field == QLatin1String("Data")                ? m_date
           : field == QLatin1String("Causale")           ? m_fields.value(QStringLiteral("idCausaleDoc"))
           : field == QLatin1String("Causale Magazzino") ? m_fields.value(QStringLiteral("MMidCausaleDoc"))
           : field == QLatin1String("Righe")             ? static_cast<QWidget*>(m_grid)
           : field == QLatin1String("Ora Consegna")      ? m_fields.value(DeliveryTime)
                                                         : m_counterpart;
}
