// Start-up time: from starting the process to the sign-in dialog on screen, as a ratio to the
// start of a bare Qt window measured in the same run, both on the offscreen platform.
// The program is the real start-up (brevano_scripted, which reports each window it shows on
// standard output) on a ready server folder; Enter on the splash goes on at once, so the
// five-second splash timer is not part of the figure.
//   startup_bench [--short]      15 starts of each (--short: 4), medians compared
// The bar, in both modes: start to sign-in <= 8 x start of a bare window.
#include "benchmark.h"
#include "support/programfolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

namespace {

constexpr double BarRatio = 8.0;

// The reference: a process that shows one plain window and says so.
int runBareWindow(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Brevano V"));
    window.resize(360, 140);
    window.show();
    std::printf("WINDOW|bare\n");
    std::fflush(stdout);
    return 0;
}

// Milliseconds from start to the line "WINDOW|<window>" on the process's output; -1 if never.
double timeToWindow(const QString& program, const QStringList& arguments, const QString& window)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());
    const QByteArray awaited = "WINDOW|" + window.toUtf8();
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray output;
    double elapsed = -1;
    while (clock.elapsed() < 20000) {
        if (process.waitForReadyRead(20)) output += process.readAllStandardOutput();
        if (output.contains(awaited)) {
            elapsed = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        if (process.state() == QProcess::NotRunning) break;
    }
    process.kill();
    process.waitForFinished();
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0) return runBareWindow(argc, argv);
    QCoreApplication app(argc, argv);
    const int starts = bench::shortRun(argc, argv) ? 4 : 15;

    const QString self = QCoreApplication::applicationFilePath();
    const QString scripted = QStringLiteral(BREVANO_SCRIPTED_PROGRAM);
    ProgramFolder folder(ProgramFolder::WholeProgram);
    folder.writePointerFile(folder.dataFolder(), 0);
    QTemporaryDir work;
    const QString script = work.filePath(QStringLiteral("script.txt"));
    {
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly)) return 2;
        file.write("key=frmSplash|Return\n");
    }

    // One start of each first, so that both find the libraries in the file cache.
    timeToWindow(self, {QStringLiteral("--bare")}, QStringLiteral("bare"));
    timeToWindow(scripted, {folder.path(), script}, QStringLiteral("Accesso"));

    std::vector<double> bare, signIn;
    for (int i = 0; i < starts; ++i) {
        bare.push_back(timeToWindow(self, {QStringLiteral("--bare")}, QStringLiteral("bare")));
        signIn.push_back(timeToWindow(scripted, {folder.path(), script}, QStringLiteral("Accesso")));
        if (bare.back() < 0 || signIn.back() < 0) {
            std::fprintf(stderr, "a start did not reach its window\n");
            return 1;
        }
    }
    const double bareMs = bench::percentile(bare, 0.5), signInMs = bench::percentile(signIn, 0.5);
    const double ratio = signInMs / bareMs;
    std::printf("start-up to sign-in dialog: median %.1f ms (min %.1f, max %.1f) over %d starts\n", signInMs,
                *std::min_element(signIn.begin(), signIn.end()), *std::max_element(signIn.begin(), signIn.end()), starts);
    std::printf("bare Qt window:              median %.1f ms (min %.1f, max %.1f)\n", bareMs,
                *std::min_element(bare.begin(), bare.end()), *std::max_element(bare.begin(), bare.end()));
    std::printf("ratio %.2f (bar <= %.0f)\n", ratio, BarRatio);
    return bench::verdict(ratio <= BarRatio);
}
