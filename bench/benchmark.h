#pragma once
// What every benchmark measures with: wall-clock turns, their order statistics, peak memory.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace bench {

inline double elapsedMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The value below which the given fraction of the values lies (0.5: the median).
inline double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

inline double least(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

// Program against reference, round by round: both sides of a round run one after the other under
// the same load, so the median of the rounds' ratios holds where one lucky round would not.
inline double pairedRatio(std::vector<double> program, const std::vector<double>& reference)
{
    std::transform(program.begin(), program.end(), reference.begin(), program.begin(), std::divides<>());
    return percentile(program, 0.5);
}

// The fastest of several turns: the figure of each under the load of a shared machine.
inline double fastest(const std::function<void()>& work, int turns)
{
    std::vector<double> times;
    for (int turn = 0; turn < turns; ++turn) times.push_back(elapsedMs(work));
    return least(times);
}

// A benchmark whose work went wrong has no figure: it says what and fails.
inline void require(bool done, const char* what)
{
    if (done) return;
    std::printf("FAILED: %s\n", what);
    std::exit(1);
}

// The test command runs each benchmark with --short: fewer rows or turns, the same bar as a ratio.
inline bool shortRun(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* a) { return qstrcmp(a, "--short") == 0; });
}

inline int verdict(bool ok)
{
    std::printf("%s\n", ok ? "PASS" : "FAILED");
    return ok ? 0 : 1;
}

// The process's peak resident memory so far (VmHWM), in MB; 0 where the system does not tell.
inline double peakMemoryMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace bench
