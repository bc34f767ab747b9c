// One workstation with the company-data screen open, driven through files:
//   lockscreen <data folder> <user> <workstation> <exchange folder>
// Writes "ready" once the screen is open; then runs the commands found in cmd-1, cmd-2, ... in
// turn and answers each in reply-N with the screen's state, one "name=value" per line.
// Commands: "BModifica", "BSalva", "BAnnulla" (toolbar keys), "close", "no" (answer No to the
// next question), "set <field> <text>", "signin" (the sign-in's clean-up of locks), "quit".
#include "common/archivepassword.h"
#include "support/programfolder.h"
#include "common/programtitle.h"
#include "components/base/baseclass.h"
#include "masterdata/datiazienda.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QTimer>

namespace {

void writeAtomically(const QString& path, const QByteArray& content)
{
    QFile file(path + ".tmp");
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.close();
        QFile::rename(path + ".tmp", path);
    }
}

QByteArray state(QPointer<DatiAzienda> screen, const BaseClass& base, const ScriptedPlatform& platform)
{
    QStringList lines;
    lines << QStringLiteral("open=%1").arg(screen ? 1 : 0);
    lines << QStringLiteral("count=%1").arg(base.EditingScreenCount);
    if (screen) {
        lines << QStringLiteral("BModifica=%1").arg(ui::enabled(screen, "BModifica") ? 1 : 0);
        lines << QStringLiteral("BSalva=%1").arg(ui::enabled(screen, "BSalva") ? 1 : 0);
        lines << QStringLiteral("Pan1=%1").arg(ui::typable(screen, "Text4") ? 1 : 0);
        lines << QStringLiteral("Text4=") + ui::text(screen, "Text4");
    }
    lines << QStringLiteral("messages=%1").arg(platform.messages.size());
    if (platform.last())
        lines << QStringLiteral("last=") + ScriptedPlatform::describe(*platform.last());
    return lines.join(u'\n').toUtf8() + '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const QString dataFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QDir::separator();
    const QDir exchange(QString::fromLocal8Bit(argv[4]));

    ScriptedPlatform platform;
    platform.workstation = QString::fromLocal8Bit(argv[3]);
    BaseClass base;
    base.AppTitle = ProgramTitle;
    base.DataFolder = dataFolder;
    base.UserDbPath = ProgramFolder::archiveIn(dataFolder, "user.mdb");
    base.DataDbPath = ProgramFolder::archiveIn(dataFolder, "data.mdb");
    base.ConnectString = archiveConnectString();
    base.UserName = QString::fromLocal8Bit(argv[2]);
    base.WorkstationName = platform.workstation;

    QPointer<DatiAzienda> screen = new DatiAzienda(&base);
    if (!screen->openScreen())
        return 3;
    screen->show();
    writeAtomically(exchange.filePath("ready"), state(screen, base, platform));

    int next = 1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QFile command(exchange.filePath(QStringLiteral("cmd-%1").arg(next)));
        if (!command.open(QIODevice::ReadOnly))
            return;
        const QString line = QString::fromUtf8(command.readAll()).trimmed();
        if (line == QLatin1String("quit")) {
            app.quit();
            return;
        }
        if (line == QLatin1String("close"))
            screen->close();
        else if (line == QLatin1String("signin"))
            base.dropEndedLocks(false);
        else if (line == QLatin1String("no"))
            platform.answers.enqueue(Platform::Answer::No);
        else if (line.startsWith(QLatin1String("set ")))
            ui::find<QLineEdit>(screen, line.section(u' ', 1, 1))->setText(line.section(u' ', 2));
        else
            ui::click(screen, line);
        ui::settle();
        writeAtomically(exchange.filePath(QStringLiteral("reply-%1").arg(next)), state(screen, base, platform));
        ++next;
    });
    poll.start(10);
    return app.exec();
}
