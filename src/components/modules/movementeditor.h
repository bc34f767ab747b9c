#pragma once
#include "drafteditor.h"
#include "documents/movementsave.h"

class QLabel;
class QLineEdit;

// The record lock of a warehouse movement, on its table and keys (the lock screen lists it).
LockIdentity movementLock(const BaseComponent* base, const MovementKey& key);

// A warehouse movement written or corrected by hand (Movimenti Magazzino), or the opening stock
// (Apertura Giacenze): the date, the reason (its sign is the reason's) and rows of article,
// warehouse, quantity and price typed like a document's. The rules (checks, numbering, saving
// in one transaction) are those of documents/movementsave; this only shows and collects.
class MovementEditor : public DraftEditor
{
    Q_OBJECT
public:
    MovementEditor(BaseComponent* base, bool openingStock, QWidget* parent = nullptr);

    void startNew() override;
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
    // Shows the reason typed, with its sign; an unknown one is refused and the cursor stays.
    void reasonTyped();

    bool m_openingStock;
    std::optional<MovementKey> m_stored;  // the movement corrected; empty for a new one

    QLineEdit* m_reason = nullptr;
    QLabel* m_reasonName = nullptr;
    QLineEdit* m_note = nullptr;
};
