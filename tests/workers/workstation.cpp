// One workstation: the main window of a program folder, signed in, driven a line at a time from
// standard input:   workstation <program folder> <user> <workstation> [<local folder>]
// A local folder makes it another installation (its own locdata.mdb), as another machine is.
// Commands: "click <name>" (a control of the active screen, else a menu command), "set <field>
// <text>" (pasted), "cell <grid> <row> <column> <text>" (typed, then Enter), "row <grid> <row>",
// "close" (the active screen), "signin <user> <password>" (the sign-in dialog again), "quit". Each is answered with one line:
// "editing=<screens in edit mode> screens=<open screens>", then " | " and each message shown
// meanwhile.
#include "components/qtplatform.h"
#include "mainwindow/principale.h"
#include "startup/accesso.h"
#include "support/scriptedplatform.h"
#include "support/session.h"
#include "support/widgets.h"

#include <QApplication>
#include <QTableView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4 && argc != 5) return 2;
    // As the entry procedure does first: amounts shown and typed the Italian way.
    useItalianConventions();
    ScriptedPlatform platform;
    platform.workstation = QString::fromLocal8Bit(argv[3]);
    Session session(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), platform.workstation, true);
    if (argc == 5)
        session.base->LocalDbPath = session.globals.localDbPath = QString::fromLocal8Bit(argv[4]) + "/locdata.mdb";
    auto window = std::make_unique<Principale>(session.globals);
    session.base->setMainWindow(window.get());
    window->show();
    ui::settle();

    auto active = [&]() -> QObject* {
        QMdiSubWindow* frame = window->workspace()->currentSubWindow();
        return frame && frame->widget() ? static_cast<QObject*>(frame->widget()) : window.get();
    };
    std::string input;
    while (std::getline(std::cin, input)) {
        const QString line = QString::fromStdString(input);
        const QString command = line.section(u' ', 0, 0), name = line.section(u' ', 1, 1);
        QString answer;
        try {
            if (command == QLatin1String("quit")) break;
            if (command == QLatin1String("click"))
                ui::click(active()->findChild<QObject*>(name) ? active() : window.get(), name);
            else if (command == QLatin1String("set"))
                ui::find<QLineEdit>(active(), name)->setText(line.section(u' ', 2));
            else if (command == QLatin1String("cell") || command == QLatin1String("row")) {
                auto* grid = ui::find<QTableView>(active(), name);
                const QModelIndex cell = grid->model()->index(line.section(u' ', 2, 2).toInt(), line.section(u' ', 3, 3).toInt());
                grid->setCurrentIndex(cell);
                if (command == QLatin1String("cell")) {
                    grid->edit(cell);
                    // No editor opens on a row held elsewhere.
                    if (auto* editor = grid->viewport()->findChild<QLineEdit*>(); editor && editor->isVisible()) {
                        editor->selectAll();
                        QTest::keyClicks(editor, line.section(u' ', 4));
                        QTest::keyClick(editor, Qt::Key_Return);
                    }
                }
            } else if (QMdiSubWindow* frame = window->workspace()->currentSubWindow(); frame && command == QLatin1String("close"))
                frame->close();
            else if (command == QLatin1String("signin")) {
                Accesso signIn(session.globals);
                ui::find<QLineEdit>(&signIn, "Nome")->setText(name);
                ui::find<QLineEdit>(&signIn, "Password")->setText(line.section(u' ', 2, 2));
                signIn.ValidateSignIn();
            }
            ui::settle();
        } catch (const std::exception& e) {
            answer = QStringLiteral("FAILED ") + QString::fromUtf8(e.what());
        }
        if (answer.isEmpty())
            answer = QStringLiteral("editing=%1 screens=%2").arg(session.base->EditingScreenCount)
                         .arg(window->workspace()->subWindowList().size());
        for (const auto& m : platform.messages) answer += QStringLiteral(" | ") + ScriptedPlatform::describe(m);
        platform.clear();
        std::cout << answer.toStdString() << std::endl;
    }
    window.reset();
    return 0;
}
