#pragma once
#include "components/childscreen.h"

class DataControl;
class KeyedToolbar;
class PanelStatusBar;
class QFrame;
class QLabel;
class QLineEdit;

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
    void lookUpState();
    void lookUpProvince();
    void lookUpPostalCode();
    void showLookupError(const QString& error);
    void choosePicture();
    void deletePicture();
    QLineEdit* field(const char* name) const;

    DataControl* m_data;
    KeyedToolbar* m_toolbar = nullptr;
    PanelStatusBar* m_errorBar = nullptr;
    QFrame* m_panels[3] = {};
    QLabel* m_picture = nullptr;
    bool m_editing = false;
};
