#pragma once
#include <QDate>
#include <QString>

class QWidget;

// Everything the program asks of the machine it runs on, behind one interface so that tests
// can answer questions and observe messages (see docs/architecture.md).
class Platform
{
public:
    enum class Icon { None, Critical, Exclamation, Information };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Platform() = default;

    // A message box. Lines of text are joined by a bare carriage return (character 13).
    // A null title means the box has no title of its own. A question that deletes or discards
    // data defaults to No: Enter must not destroy what the user typed.
    virtual Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title,
                           Answer defaultAnswer = Answer::Yes) = 0;
    // Ends the process at once, without running the closing logic of any window.
    [[noreturn]] virtual void endProgram() = 0;
    virtual void setHourglass(bool busy) = 0;
    virtual QString workstationName() = 0;
    // The open-file dialog; filter in the form "Description|*.a;*.b". Empty: nothing chosen.
    // Throws std::runtime_error when the dialog itself fails.
    virtual QString chooseOpenFile(QWidget* parent, const QString& filter) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& start) = 0;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool openFolder(const QString& folder) = 0;
    // The help file, at a context topic.
    virtual bool showHelp(const QString& helpFile, int context) = 0;
    virtual QDate today() = 0;
    // Drives of the machine (mounted volumes) and whether a path lies on a network share.
    virtual QStringList drives() = 0;
    virtual bool isLocalPath(const QString& path) = 0;

    // The platform in use: the program installs the desktop one at start, tests a scripted one.
    static Platform& instance();
    static void install(Platform* platform);
    // The platform installed, if any (a scripted platform restores the one before it).
    static Platform* installed();

    // Shorthands for the common kinds of box.
    void inform(const QString& text, const QString& title) { message(text, Icon::Information, Buttons::Ok, title); }
    void refuse(const QString& text, const QString& title) { message(text, Icon::Critical, Buttons::Ok, title); }
    bool ask(const QString& text, const QString& title, Answer defaultAnswer = Answer::Yes)
    {
        return message(text, Icon::None, Buttons::YesNo, title, defaultAnswer) == Answer::Yes;
    }
    // A question whose Yes deletes or discards something.
    bool askDestructive(const QString& text, const QString& title) { return ask(text, title, Answer::No); }
};

// Shows the hourglass for the lifetime of the object.
class Hourglass
{
public:
    Hourglass() { Platform::instance().setHourglass(true); }
    ~Hourglass() { Platform::instance().setHourglass(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
