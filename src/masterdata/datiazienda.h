#pragma once
#include "components/childscreen.h"
#include "components/heldlock.h"

class DataControl;
class KeyedToolbar;
class PanelStatusBar;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The company record (table Azienda of the user archive, id 1): shown in browse mode, changed in
// edit mode under the record lock. Saving hands the currency settings to the base component so
// that the running program uses them at once.
class DatiAzienda : public ChildScreen
{
    Q_OBJECT
public:
    explicit DatiAzienda(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

    // True when the fields on screen may be saved; otherwise the reason is in panel 1 of ErrorBar
    // and the refused field has the focus.
    bool ValidateCompanyData();

protected:
    bool queryUnload() override;

private:
    void buildForm();
    void connectFields();
    void onToolbar(const QString& key);
    void startEdit();
    void save();
    void cancel();
    void setEditing(bool editing);
    void endEdit();
    void showRecord();
    void writeRecord();
    bool refuseField(const QString& message, QLineEdit* field);
    bool taxCodesKept();
    void lookUpState();
    void lookUpProvince();
    void lookUpPostalCode();
    void showLookupError(const QString& error);
    void choosePicture();
    void deletePicture();
    struct Binding;
    static const Binding TextFields[];

    DataControl* m_data;
    // The fields, under the names the system gives them.
    QLineEdit* Text1 = nullptr;  // state
    QLineEdit* Text2 = nullptr;  // province
    QLineEdit* Text3 = nullptr;  // postal code
    QLineEdit* Text4 = nullptr;  // company name
    QLineEdit *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr, *Text9 = nullptr;
    QLineEdit *Text10 = nullptr, *Text11 = nullptr, *Text13 = nullptr, *Text14 = nullptr;
    QLineEdit* tValutaBase = nullptr;
    QLineEdit* tDecValutaBase = nullptr;
    QLineEdit* tCambio = nullptr;
    QLineEdit* tDecEuro = nullptr;
    QLineEdit* tDocumenti = nullptr;
    QLineEdit* Immagine = nullptr;  // path of the logo; "0": none
    QLineEdit* tRegimeFiscale = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_insertPicture = nullptr;
    QPushButton* m_deletePicture = nullptr;
    KeyedToolbar* m_toolbar = nullptr;
    PanelStatusBar* m_errorBar = nullptr;
    QFrame* m_panels[3] = {};
    QLabel* m_picture = nullptr;
    bool m_editing = false;
    // The company record's lock while it is in edit.
    std::optional<HeldLock> m_lock;
};
