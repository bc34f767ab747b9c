// Holds a write transaction on an archive for a while: dbholder <archive> <code> <milliseconds>.
// Prints "HOLDING" once the transaction is open, then commits a row of table Zone.
#include "common/archivepassword.h"
#include "common/database.h"
#include "common/transaction.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    Database db = Database::open(QString::fromLocal8Bit(argv[1]), archiveConnectString());
    WriteTransaction transaction(db);
    db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES (") << Jet::text(QString::fromLocal8Bit(argv[2]))
                                                                       << ", " << Jet::text("holder") << ")");
    std::printf("HOLDING\n");
    std::fflush(stdout);
    QThread::msleep(QString::fromLocal8Bit(argv[3]).toULong());
    transaction.commit();
    return 0;
}
