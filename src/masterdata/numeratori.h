#pragma once
#include "components/childscreen.h"
#include "components/heldlock.h"

#include <QVector>

class DataControl;
class QAction;
class QLabel;
class QLineEdit;
class QWidget;

// The numerators of the current fiscal year: browse them and correct the last number used,
// never below the highest number that documents of the numerator already carry. Numerators are
// neither created nor deleted here.
//
// The number is a 16-bit whole number on this screen: a text that is no whole number, a
// negative number and a number above 32767 are all refused with "Numero Errato".
//
// While a numerator is in edit the screen holds its record lock (owner "MODULO BASE"), from the
// granted lock until a release that the base component confirms.
class Numeratori : public ChildScreen
{
    Q_OBJECT
public:
    explicit Numeratori(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

    static constexpr qint64 HighestNumber = 32767;

    // Shows the current numerator: the reason fields for kinds "M", "F", "P", the bound controls
    // and the reason's description.
    void ShowTypeFields();
    // The highest number the documents of the current numerator carry (0 without documents).
    qint64 HighestUsedNumber();
    // True when the typed number may be saved; otherwise the reason is in the status bar.
    bool ValidateNumerator();
    void SetEditMode(bool editing);

protected:
    bool queryUnload() override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* addButton(const char* key, const QString& caption, void (Numeratori::*handler)());
    void applyEditState(bool editing);
    void showReasonDescription();
    QString current(const char* field) const;
    void releaseLock();
    void move(void (DataControl::*step)());
    void BModifica();
    void BSalva();
    void BAnnulla();
    void BPrimo();
    void BIndietro();
    void BAvanti();
    void BUltimo();

    DataControl* m_data;
    QWidget* m_panel;
    QLabel* m_lblCausale;
    QLineEdit* m_idCodice;
    QLineEdit* m_tDesc;
    QLineEdit* m_idEsercizio;
    QVector<QAction*> m_browseCommands;
    QVector<QAction*> m_editCommands;
    QLineEdit* m_progressivo;
    QLabel* m_errorBar1;
    std::optional<HeldLock> m_lock;
    bool m_editing = false;
    bool m_shownOnce = false;
};
