// Holds the write turn of an archive for a while: turnholder <archive> <milliseconds>.
// Prints "HOLDING" once the turn is taken.
#include "common/database.h"
#include "common/writeturn.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    const WriteTurn turn(QString::fromLocal8Bit(argv[1]), Database::BusyTimeoutMs);
    if (!turn.taken()) return 1;
    std::printf("HOLDING\n");
    std::fflush(stdout);
    QThread::msleep(QString::fromLocal8Bit(argv[2]).toULong());
    return 0;
}
