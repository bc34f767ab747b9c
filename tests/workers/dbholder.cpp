// Holds a write transaction on an archive for a while: dbholder <archive> <code> <milliseconds>. Saves a row of table
// Zone as the screens do, prints "HOLDING" with the transaction still open, then commits.
#include "common/archivepassword.h"
#include "common/database.h"
#include "common/recordset.h"
#include "common/transaction.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    Database db = Database::open(QString::fromLocal8Bit(argv[1]), archiveConnectString());
    WriteTransaction transaction(db);
    Recordset zones = Recordset::openTable(db, QStringLiteral("Zone"));
    zones.AddNew();
    zones.setValue(QStringLiteral("Codice"), QString::fromLocal8Bit(argv[2]));
    zones.setValue(QStringLiteral("Desc"), QStringLiteral("holder"));
    zones.Update();
    std::printf("HOLDING\n");
    std::fflush(stdout);
    QThread::msleep(QString::fromLocal8Bit(argv[3]).toULong());
    transaction.commit();
    return 0;
}
