#pragma once
#include "drafteditor.h"
#include "documents/documentkinds.h"

#include <QHash>
#include <optional>

class QLabel;
class QLineEdit;
class QTableWidget;

// The delivery time of the documents that carry goods, typed hh:mm.
inline const QString DeliveryTime = QStringLiteral("OraCons");
inline const QString TimeInputMask = QStringLiteral("99:99");

// The record lock of a document, on its header table and keys (the lock screen lists it).
LockIdentity documentLock(const BaseComponent* base, const DocumentKind& kind, const QDate& dataReg, qint32 numInt);

// The document being written or corrected, in one window: its header (date, reason, the
// counterpart by code with its data copied into the document, transport data where the kind
// carries them, notes), its rows typed like a spreadsheet, and its totals with the VAT summary,
// which follow every change. The rules (checks, numbering, invoice book, saving in one
// transaction) are those of documents/; this only shows and collects.
class DocumentEditor : public DraftEditor
{
    Q_OBJECT
public:
    DocumentEditor(BaseComponent* base, const QString& kindCode, DocumentVariant variant, QWidget* parent = nullptr);

    void startNew() override;
    // Corrects a saved document, holding its record lock meanwhile; false when it cannot be
    // (another workstation edits it, it is gone, its electronic invoice is written).
    bool startEdit(const QDate& dataReg, qint32 numInt);
    bool editPicked(const Recordset& picked) override;
    bool deletePicked(const Recordset& picked) override;

protected:
    QString discardQuestion() const override;
    QWidget* fieldNamed(const QString& field) const override;
    void showDraft() override;
    void collect() override;
    std::optional<DraftRefusal> check() override;
    void write() override;

private:
    void buildForm();
    void showHeader();
    void counterpartTyped();
    void showTotals();

    QString m_kindCode;
    DocumentVariant m_variant;

    QLineEdit* m_counterpart = nullptr;
    QTableWidget* m_vat = nullptr;
    QLabel* m_totals = nullptr;
};
