#include "support/scriptedplatform.h"
#include "components/qtplatform.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <gtest/gtest.h>
#include <sqlite3.h>

// Whatever Qt complains of (a connection still in use, a query on a closed archive) fails the test it
// arises in. Not the offscreen platform's notes, nor the server driver's word that a statement of a
// dropped connection or a failed transaction was not freed: the server frees it with its session.
void failOnQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    static const QRegularExpression notes("^(This plugin does not support|QStandardPaths:|Unable to free statement)");
    if (type != QtDebugMsg && type != QtInfoMsg && !notes.match(message).hasMatch())
        ADD_FAILURE() << "Qt warned: " << message.toStdString();
}

int main(int argc, char** argv)
{
    // A statement SQLite could not parse is a fault, even where the program went on another way.
    sqlite3_config(SQLITE_CONFIG_LOG, +[](void*, int code, const char* message) {
        if (code == SQLITE_ERROR && QByteArray(message).contains("syntax error"))
            ADD_FAILURE() << "SQLite: " << message;
    }, nullptr);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A machine whose language is not Italian: what the user reads must be Italian all the same.
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(failOnQtWarnings);
    QApplication app(argc, argv);
    // The tests stand in for the entry procedure, which sets the program's conventions first.
    useItalianConventions();
    // What runs outside a test's own scripted platform (windows closing late) meets this one.
    ScriptedPlatform outside;
    const int failed = RUN_ALL_TESTS();
    // Every archive connection a test opened is let go by its end.
    const QStringList left = QSqlDatabase::connectionNames();
    if (!left.isEmpty()) std::fprintf(stderr, "connections left open: %s\n", qPrintable(left.join(u' ')));
    return failed || !left.isEmpty();
}
