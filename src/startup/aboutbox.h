#pragma once
#include <QDialog>

class BaseComponent;
class DataControl;
class QLabel;

// The about box: the version of the archives (first row of table Versione of the user archive,
// read through the data control `Data1` the first time the window becomes active), the
// product's pictures and its maker. "&Esci" closes it.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(BaseComponent* base, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    void showVersion();

    BaseComponent* m_base;
    DataControl* m_data;
    QLabel* m_version;
    bool m_activated = false;
};
