#pragma once
#include <QStatusBar>

class QLabel;

// A status bar whose first panel shows the message of the last refused value. The panel is the
// label "<name>_1".
class ErrorBar : public QStatusBar
{
    Q_OBJECT
public:
    ErrorBar(const QString& name, QWidget* parent);
    void setText(const QString& text);
    QString text() const;

private:
    QLabel* m_panel;
};
