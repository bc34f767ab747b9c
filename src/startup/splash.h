#pragma once
#include <QWidget>

struct AppGlobals;
class QLabel;
class QTimer;

// The splash screen: the picture "Splash.bmp" of the program folder with the invitation to go
// on. A click on the picture, Enter or the first tick of the 5-second timer gives way to the
// sign-in; Esc closes the splash alone, and as no window remains the program ends.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(AppGlobals& globals, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void proceed();

    AppGlobals& m_globals;
    QLabel* m_picture;
    QTimer* m_timer;
    bool m_leaving = false;
};
