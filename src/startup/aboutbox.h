#pragma once
#include <QDialog>

class BaseComponent;

// PENDING: placeholder until the about box is built.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(BaseComponent* base, QWidget* parent = nullptr) : QDialog(parent), m_base(base)
    {
        setObjectName(QStringLiteral("frmAbout"));
    }

private:
    BaseComponent* m_base;
};
