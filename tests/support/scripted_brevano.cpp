// The program's real start-up with a scripted platform, for tests that run whole processes.
// Usage: brevano_scripted <program folder> <script file>
// The script holds "key=value" lines:
//   log=<file>                receives every message ("MESSAGE|icon|buttons|title|text"), every
//                             window shown ("WINDOW|<objectName>") and "PROGRAM ENDED"
//   key=<window>|<key>        when the window of that objectName is shown, the key (Return,
//                             Escape) is pressed in it (repeatable)
//   click=<window>|<button>   when the window is shown, its button of that objectName is
//                             clicked (repeatable)
//   conventions=<window>      when the window is shown, logs how the program writes a number, a
//                             date and Qt's own "Undo" ("CONVENTIONS|1.936,27|06/12/26|Ann&ulla")
// Windows shown are also written to standard output, so a caller can time them.
#include "common/appglobals.h"
#include "mainwindow/principale.h"
#include "startup/entryprocedure.h"
#include "scriptedplatform.h"

#include <QtWidgets> // the widgets the script drives, with the core

#include <algorithm>
#include <cstdio>

namespace {

// Watches top-level windows: reports each one shown and presses the scripted keys in it.
class WindowWatcher : public QObject
{
public:
    struct Action
    {
        Qt::Key key = Qt::Key_unknown;  // a key to press, or
        QString button;                 // a button to click
    };

    WindowWatcher(QString logFile, QMultiHash<QString, Action> actions, QString conventionsWindow)
        : m_logFile(std::move(logFile)), m_actions(std::move(actions)), m_conventionsWindow(std::move(conventionsWindow)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || !widget || !widget->isWindow() || widget->objectName().isEmpty())
            return false;
        write(QStringLiteral("WINDOW|") + widget->objectName());
        if (widget->objectName() == m_conventionsWindow)
            write(QStringLiteral("CONVENTIONS|%1|%2|%3")
                      .arg(QLocale().toString(1936.27, 'f', 2), QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat),
                           QCoreApplication::translate("QLineEdit", "&Undo")));
        // Acted on once the window has settled, in the order the script gave them.
        QList<Action> actions = m_actions.values(widget->objectName());
        std::reverse(actions.begin(), actions.end());
        for (const Action& action : actions) {
            QPointer<QWidget> target = widget;
            QTimer::singleShot(0, widget, [target, action] {
                if (target) act(target, action);
            });
        }
        return false;
    }

private:
    void write(const QString& line)
    {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        if (!m_logFile.isEmpty()) {
            QFile log(m_logFile);
            if (log.open(QIODevice::Append | QIODevice::Text)) QTextStream(&log) << line << '\n';
        }
    }

    static void act(QWidget* window, const Action& action)
    {
        if (!action.button.isEmpty()) {
            if (auto* button = window->findChild<QAbstractButton*>(action.button)) button->click();
            return;
        }
        QWidget* receiver = window->focusWidget() ? window->focusWidget() : window;
        const QString text = action.key == Qt::Key_Return ? QStringLiteral("\r") : QStringLiteral("\x1b");
        QKeyEvent press(QEvent::KeyPress, action.key, Qt::NoModifier, text);
        QApplication::sendEvent(receiver, &press);
    }

    QString m_logFile;
    QMultiHash<QString, Action> m_actions;
    QString m_conventionsWindow;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    if (argc < 3) return 2;
    ScriptedPlatform platform;
    QMultiHash<QString, WindowWatcher::Action> actions;
    QString conventionsWindow;
    QFile script(QString::fromLocal8Bit(argv[2]));
    if (script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&script);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            const int eq = line.indexOf(u'=');
            if (eq < 0) continue;
            const QString key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
            if (key == QLatin1String("log")) platform.logFile = value;
            else if (key == QLatin1String("key"))
                actions.insert(value.section(u'|', 0, 0),
                               {value.section(u'|', 1) == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return, {}});
            else if (key == QLatin1String("click"))
                actions.insert(value.section(u'|', 0, 0), {Qt::Key_unknown, value.section(u'|', 1)});
            else if (key == QLatin1String("conventions")) conventionsWindow = value;
        }
    }
    WindowWatcher watcher(platform.logFile, actions, conventionsWindow);
    app.installEventFilter(&watcher);
    appGlobals().makeMainWindow = [](AppGlobals& globals) { return new Principale(globals); };
    EntryProcedure entry(QString::fromLocal8Bit(argv[1]));
    entry.run();
    return app.exec();
}
