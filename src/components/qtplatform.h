#pragma once
#include "common/platform.h"

// The platform as a desktop user meets it: Qt message boxes, dialogs and desktop services.
class QtPlatform : public Platform
{
public:
    Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title,
                   Answer defaultAnswer = Answer::Yes) override;
    [[noreturn]] void endProgram() override;
    void setHourglass(bool busy) override;
    QString workstationName() override;
    QString chooseOpenFile(QWidget* parent, const QString& filter) override;
    QString chooseFolder(QWidget* parent, const QString& start) override;
    bool openUrl(const QString& url) override;
    bool openFolder(const QString& folder) override;
    bool showHelp(const QString& helpFile, int context) override;
    QDate today() override;
    QStringList drives() override;
    bool isLocalPath(const QString& path) override;

    // "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg" -> "Pictures (*.bmp;*.jpg) (*.bmp *.jpg)"
    static QString qtFilter(const QString& filter);

private:
    bool m_busy = false;
};

// Italian conventions whatever the machine's language: numbers and dates written the Italian
// way, and Qt's own texts (file dialogs, the fields' context menus, the screens' window menus)
// in Italian, grids read to screen readers as they are shown (gridaccessible.h). Run once,
// before the first window.
void useItalianConventions();
