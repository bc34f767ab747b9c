// A second workstation on a shared data folder, working the numerators screen:
//   numerworkstation <data folder> <user> <workstation>
// Reads commands from standard input, one a line, and answers each with one line:
//   goto <kind> <code>   -> "AT <kind> <code> <number>" (or "NOTFOUND")
//   edit                 -> "EDITING" or "BROWSING", then the messages shown
//   save <number>        -> "SAVED <number stored>" or "REFUSED <status bar text>"
//   cancel               -> "CANCELLED"
//   quit                 -> ends
// Messages shown by a command follow its answer on the same line as " | text".
#include "common/archivepassword.h"
#include "support/programfolder.h"
#include "common/datacontrol.h"
#include "common/programtitle.h"
#include "components/base/baseclass.h"
#include "masterdata/numeratori.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4)
        return 2;
    ScriptedPlatform platform;
    platform.workstation = QString::fromLocal8Bit(argv[3]);

    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QDir::separator();
    BaseClass base;
    base.AppTitle = ProgramTitle;
    base.DataFolder = folder;
    base.DataDbPath = ProgramFolder::archiveIn(folder, "data.mdb");
    base.UserDbPath = ProgramFolder::archiveIn(folder, "user.mdb");
    base.ConnectString = archiveConnectString();
    base.UserName = QString::fromLocal8Bit(argv[2]);
    base.WorkstationName = platform.workstation;
    base.FiscalYear = QString::number(QDate::currentDate().year());

    auto* screen = new Numeratori(&base);
    if (!screen->openScreen())
        return 3;
    screen->show();
    ui::settle();
    auto* data = screen->findChild<DataControl*>(QStringLiteral("DataNumeratori"));

    auto answer = [&](const QString& text) {
        QString line = text;
        for (const auto& m : platform.messages)
            line += QStringLiteral(" | ") + m.text;
        platform.clear();
        std::cout << line.toStdString() << std::endl;
    };

    std::string input;
    while (std::getline(std::cin, input)) {
        const QStringList words = QString::fromStdString(input).split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const QString command = words.first();
        if (command == QLatin1String("goto") && words.size() == 3) {
            const bool found = data->findFirst(JetQuery("idTipo=") << Jet::text(words[1]) << " AND idCodice="
                                                                   << Jet::text(words[2]));
            answer(found ? QStringLiteral("AT %1 %2 %3").arg(words[1], words[2], ui::text(screen, "Progressivo"))
                         : QStringLiteral("NOTFOUND"));
        } else if (command == QLatin1String("edit")) {
            ui::click(screen, "BModifica");
            answer(ui::enabled(screen, "BSalva") ? QStringLiteral("EDITING") : QStringLiteral("BROWSING"));
        } else if (command == QLatin1String("save") && words.size() == 2) {
            ui::find<QLineEdit>(screen, "Progressivo")->setText(words[1]);
            ui::click(screen, "BSalva");
            answer(ui::enabled(screen, "BSalva") ? QStringLiteral("REFUSED ") + ui::text(screen, "ErrorBar_1")
                                                 : QStringLiteral("SAVED ") + ui::text(screen, "Progressivo"));
        } else if (command == QLatin1String("cancel")) {
            ui::click(screen, "BAnnulla");
            answer(QStringLiteral("CANCELLED"));
        } else if (command == QLatin1String("quit")) {
            break;
        } else {
            answer(QStringLiteral("UNKNOWN ") + command);
        }
        ui::settle();
    }
    delete screen;
    return 0;
}
