#pragma once
#include "components/childscreen.h"
#include "components/heldlock.h"

#include <optional>

class DataControl;
class KeyedToolbar;
class PanelStatusBar;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The payment terms (table ModPag of the company archive), one record at a time: new, edit under
// the record lock, delete and moves.
class ModPaga : public ChildScreen
{
    Q_OBJECT
public:
    explicit ModPaga(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

    // True when the record on screen may be saved; otherwise the reason is in panel 1 of SBMess.
    bool ValidatePaymentTerm();
    // Whether the archive holds a payment term with this code, in any letter case.
    QString typedCode() const;
    bool CodeExists(const QString& code);
    void SetEditMode(bool editing);

protected:
    bool queryUnload() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildForm();
    void connectFields();
    void onToolbar(const QString& key);
    void addNew();
    void startEdit();
    void save();
    void cancel();
    void remove();
    void move(const QString& key);
    void startWhenEmpty();
    void correctPosition();
    void showRecord();
    void writeRecord();
    bool refuse(const QString& message, QLineEdit* field = nullptr);
    LockIdentity paymentTermLock() const;

    DataControl* m_data;
    KeyedToolbar* m_toolbar = nullptr;
    PanelStatusBar* m_messages = nullptr;
    QGroupBox* m_dataFrame = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_rate = nullptr;
    QCheckBox* m_monthEnd = nullptr;
    QLineEdit* m_days[12] = {};
    QLabel* m_banner = nullptr;
    QLabel* m_logo = nullptr;
    // The lock taken by BModifica, until the edit ends.
    std::optional<HeldLock> m_lock;
};
