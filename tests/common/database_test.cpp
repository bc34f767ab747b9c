#include "common/database.h"
#include "common/recordset.h"
#include "components/failuremessage.h"
#include "support/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class DatabaseTest : public ::testing::Test
{
protected:
    ProgramFolder folder;
    Database data() { return Database::open(folder.dataDb(), ProgramFolder::connectString()); }
};

TEST_F(DatabaseTest, OpeningFailuresAreDistinctAndCreateNothing)
{
    const QString missing = folder.file("missing.mdb");
    try {
        Database::open(missing, ProgramFolder::connectString());
        FAIL() << "a missing archive opened";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::NotFound);
    }
    EXPECT_FALSE(QFile::exists(missing));

    try {
        Database::open(folder.dataDb(), QStringLiteral(";PWD=wrong"));
        FAIL() << "a wrong password was accepted";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::WrongPassword);
    }

    QFile text(folder.file("text.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("three lines\nof plain text\nnot an archive\n");
    text.close();
    try {
        Database::open(folder.file("text.mdb"), ProgramFolder::connectString());
        FAIL() << "a text file opened as an archive";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::NotAnArchive);
        EXPECT_EQ(failureMessage(e), "Il file '" + folder.file("text.mdb") + "' non è un archivio valido.");
    }
}

// A full disk and a damaged archive are told as such, naming the archive and what was kept, with
// the engine's words only as a detail.
TEST_F(DatabaseTest, FullDisksAndDamagedArchivesAreToldInItalian)
{
    Database db = data();
    db.run(QStringLiteral("PRAGMA max_page_count = 1"));
    try {
        for (int i = 100; i < 10000; ++i)
            db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES (") << Jet::text(QString::number(i)) << ", "
                                                                             << Jet::text(QString(200, u'x')) << ")");
        FAIL() << "the archive never filled up";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::DiskFull);
        EXPECT_TRUE(failureMessage(e).startsWith("Spazio su disco esaurito per l'archivio '" + folder.dataDb()
                                                 + "'.\rNessun dato è stato sovrascritto"));
        EXPECT_TRUE(failureMessage(e).contains("\rDettaglio: "));
    }
    db = Database();

    QFile file(folder.dataDb());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096);
    file.write(QByteArray(int(file.size()) - 4096, '\xA5'));
    file.close();
    try {
        Database damaged = data();
        for (const char* table : {"Clienti", "Articoli", "Fornitori", "DDTTes", "DDTRig", "FATVETes"})
            damaged.select(JetQuery("SELECT * FROM ") << Jet::identifier(QString::fromLatin1(table))).next();
        FAIL() << "the damage went unnoticed";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::Damaged) << e.detail().toStdString();
        EXPECT_TRUE(failureMessage(e).startsWith("L'archivio '" + folder.dataDb() + "' risulta danneggiato."));
    }
}

void save(const Database& db, const QString& table, const QString& code)
{
    Recordset rows = Recordset::openTable(db, table);
    rows.AddNew();
    rows.setValue(QStringLiteral("Codice"), code);
    rows.setValue(QStringLiteral("Desc"), code);
    rows.Update();
}

QString found(const Database& db, const QString& code)
{
    Rows q = db.select(JetQuery("SELECT Codice FROM ModPag WHERE Codice = ") << Jet::text(code));
    return q.next() ? q.value(0).toString() : QString();
}

QString shell(const QString& archive, const QString& sql)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {archive, sql});
    sqlite.waitForFinished(30000);
    return QString::fromUtf8(sqlite.readAllStandardOutput() + sqlite.readAllStandardError()).trimmed();
}

// Codes with accented capitals and small letters, saved as the screens save them: the archive
// stays valid for SQLite's own tools, and after the shell has vacuumed and reindexed it the
// program still finds each code in any case and refuses each case variant.
TEST_F(DatabaseTest, AccentedCodesSurviveTheStockShellAndStayUniqueInAnyCase)
{
    const QStringList letters{"É", "é", "È", "è", "À", "à", "Ù", "ù", "Ò", "ò"};
    QStringList codes;
    for (int i = 0; i < 200; ++i)
        codes << letters[i % letters.size()] + QStringLiteral("%1").arg(i, 3, 10, QChar(u'0'));
    const auto variant = [](const QString& code) {
        return code.at(0).isUpper() ? code.toLower() : code.toUpper();
    };
    {
        Database db = data();
        for (const QString& code : codes)
            save(db, QStringLiteral("ModPag"), code);
    }
    EXPECT_EQ(shell(folder.dataDb(), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(shell(folder.dataDb(), "VACUUM; REINDEX; PRAGMA integrity_check"), "ok");

    Database db = data();
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_EQ(found(db, variant(code)), code);
        try {
            save(db, QStringLiteral("ModPag"), variant(code));
            ADD_FAILURE() << "a case variant was saved";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.kind(), DatabaseError::Kind::Constraint);
        }
    }

    // Lists sort as Italians expect.
    for (const char* name : {"Zeta", "Élite", "Elena", "elfo"})
        save(db, QStringLiteral("Zone"), QString::fromUtf8(name));
    JetQuery byName("SELECT Codice FROM Zone WHERE Codice IN ('Zeta','Élite','Elena','elfo')");
    Rows ordered = db.select(byName.orderBy(" ORDER BY ", {{"Codice", true}}));
    QStringList order;
    while (ordered.next())
        order << ordered.value(0).toString();
    EXPECT_EQ(order, QStringList({"Elena", "elfo", "Élite", "Zeta"}));
    // Other than a code is other than all its case variants.
    Rows others = db.select(JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('Élite', 'Elena') AND Codice <> ") << Jet::text("éLITE"));
    ASSERT_TRUE(others.next());
    EXPECT_EQ(others.value(0).toString(), "Elena");
    EXPECT_FALSE(others.next());
}

// Two workstations saving "É" and "é" at the same moment: the second waits for the first and is
// refused.
TEST_F(DatabaseTest, CaseVariantsSavedAtTheSameMomentByTwoWorkstationsAreRefused)
{
    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/worker_dbholder"),
                 {folder.dataDb(), QStringLiteral("ÉPOCA"), QStringLiteral("800")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_TRUE(holder.readAll().contains("HOLDING"));
    try {
        save(data(), QStringLiteral("Zone"), QStringLiteral("época"));
        ADD_FAILURE() << "both workstations saved the code";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::Constraint);
    }
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
}

// How an earlier build compared text: it replaced NOCASE on its own connections.
int earlierNoCase(void*, int na, const void* a, int nb, const void* b)
{
    return QString::fromUtf8(static_cast<const char*>(a), na)
        .compare(QString::fromUtf8(static_cast<const char*>(b), nb), Qt::CaseInsensitive);
}

// Archives written that way hold indexes SQLite's own tools see as damaged; the program rebuilds
// them the first time it opens the archive.
TEST_F(DatabaseTest, ArchivesOfAnEarlierBuildAreReindexedOnFirstOpen)
{
    {
        QSqlDatabase earlier = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("earlier"));
        earlier.setDatabaseName(folder.dataDb());
        ASSERT_TRUE(earlier.open());
        sqlite3_create_collation_v2(*static_cast<sqlite3**>(earlier.driver()->handle().data()), "NOCASE",
                                    SQLITE_UTF8, nullptr, earlierNoCase, nullptr);
        QSqlQuery q(earlier);
        for (const char* sql : {"PRAGMA application_id=0", "INSERT INTO ModPag (Codice) VALUES ('É')",
                                "INSERT INTO ModPag (Codice) VALUES ('è')"})
            ASSERT_TRUE(q.exec(QString::fromUtf8(sql))) << sql;
        earlier.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("earlier"));
    ASSERT_NE(shell(folder.dataDb(), "PRAGMA integrity_check"), "ok");
    { Database db = data(); }
    EXPECT_EQ(shell(folder.dataDb(), "PRAGMA integrity_check"), "ok");
}

TEST_F(DatabaseTest, ValuesAreBoundNeverSpliced)
{
    Database db = data();
    for (const QString& code : {QStringLiteral("a\"b"), QStringLiteral("x\" OR \"1\"=\"1"), QStringLiteral("o'neil")})
        db.execute(JetQuery("INSERT INTO UM (Codice, [Desc]) VALUES (") << Jet::text(code) << ", " << Jet::text("d") << ")");
    const JetQuery q = JetQuery("SELECT Codice FROM UM WHERE Codice = ") << Jet::text("x\" OR \"1\"=\"1");
    EXPECT_EQ(q.jetText(), QStringLiteral("SELECT Codice FROM UM WHERE Codice = \"x\" OR \"1\"=\"1\""));
    Rows rows = db.select(q);
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toString(), QStringLiteral("x\" OR \"1\"=\"1"));
    EXPECT_FALSE(rows.next());
    EXPECT_THROW(Jet::identifier("UM; DROP TABLE UM"), DatabaseError);
}

TEST_F(DatabaseTest, JetDialectPiecesRunOnTheArchive)
{
    Database db = data();
    // Dates as #mm/dd/yyyy# against day-only columns.
    const JetQuery byDate = JetQuery("SELECT Codice FROM Esercizio WHERE DTIn <= ")
                            << Jet::date(QDate(QDate::currentDate().year(), 3, 5)) << " AND DTFi >= "
                            << Jet::date(QDate(QDate::currentDate().year(), 3, 5));
    EXPECT_TRUE(byDate.jetText().contains(QStringLiteral("#03/05/")));
    Rows years = db.select(byDate);
    ASSERT_TRUE(years.next());
    EXPECT_EQ(years.value(0).toString(), QString::number(QDate::currentDate().year()));

    // DELETE * FROM and bracketed names; the count of affected rows.
    db.execute(JetQuery("DELETE * FROM Zone"));
    db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES ('Z1','uno')"));
    db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES ('Z2','due')"));
    EXPECT_EQ(db.execute(JetQuery("DELETE * FROM Zone WHERE [Desc] <> 'x'")), 2);

    // Insert-select from another archive named by its path in brackets.
    ProgramFolder other;
    Database otherDb = Database::open(other.dataDb(), ProgramFolder::connectString());
    otherDb.execute(JetQuery("DELETE * FROM Zone"));
    otherDb.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES ('Z9','nove')"));
    otherDb = Database();
    const JetQuery copy = JetQuery("INSERT INTO Zone ( Codice, [Desc]) SELECT zone.Codice, zone.[Desc] FROM ")
                          << Jet::archive(other.dataDb()) << ".zone;";
    EXPECT_TRUE(copy.jetText().contains(QStringLiteral("FROM [") + other.dataDb() + QStringLiteral("].zone;")));
    EXPECT_EQ(db.execute(copy), 1);
}

// A recordset moves, finds, adds, changes and deletes alike on a list of a few rows and on one of
// several pages, the rows past the first pages included; Null stays Null.
TEST_F(DatabaseTest, RecordsetsBehaveAlikeOnShortListsAndListsOfManyPages)
{
    for (const int rows : {3, 5 * Recordset::PageSize + 7}) {
        SCOPED_TRACE(rows);
        Database db = data();
        db.execute(JetQuery("DELETE * FROM Zone"));
        JetQuery byCode("SELECT * FROM ");
        byCode << Jet::table("Zone");
        byCode.orderBy(" ORDER BY ", {{"Codice", true}});
        Recordset rs = Recordset::open(db, byCode);
        EXPECT_TRUE(rs.isBOF() && rs.isEOF() && rs.isEmpty());
        const auto code = [](int n) { return QStringLiteral("Z%1").arg(n, 4, 10, QChar(u'0')); };
        for (int n = rows - 1; n >= 0; --n) {  // written backwards, listed by code
            rs.AddNew();
            rs.setValue("Codice", code(n));
            rs.Update();
            EXPECT_EQ(rs["Codice"].toString(), code(rows - 1)) << "an empty set stands on its first row added, then keeps it";
        }
        rs.AddNew();
        rs.setValue("Codice", "ZZ");
        rs.CancelUpdate();
        EXPECT_EQ(rs.RecordCount(), rows);

        rs.MoveFirst();
        EXPECT_EQ(rs["Codice"].toString(), code(0));
        EXPECT_TRUE(rs["Desc"].isNull());
        for (int n = 1; n < rows; ++n)
            rs.MoveNext();
        EXPECT_EQ(rs["Codice"].toString(), code(rows - 1));
        EXPECT_EQ(rs.AbsolutePosition(), rows - 1);
        rs.MoveNext();
        EXPECT_TRUE(rs.isEOF());
        rs.MovePrevious();
        EXPECT_EQ(rs["Codice"].toString(), code(rows - 1));
        rs.MoveLast();
        for (int n = 0; n < rows; ++n)
            rs.MovePrevious();
        EXPECT_TRUE(rs.isBOF());
        EXPECT_THROW(rs.Delete(), DatabaseError) << "before the first row there is none to delete";
        rs.setAbsolutePosition(rows - 2);
        EXPECT_EQ(rs["Codice"].toString(), code(rows - 2));

        // Find, change and delete a row far down; the next move goes to the row after it.
        const int far = rows - 2;
        ASSERT_TRUE(rs.FindFirst(JetQuery("Codice = ") << Jet::text(code(far).toLower())));
        EXPECT_EQ(rs.AbsolutePosition(), far);
        rs.Edit();
        rs.setValue("Desc", "lontana");
        rs.Update();
        rs.MoveFirst();
        rs.setBookmark(rs.LastModified());
        EXPECT_EQ(rs["Desc"].toString(), "lontana");
        rs.Delete();
        rs.MoveNext();
        EXPECT_EQ(rs["Codice"].toString(), code(far + 1));
        EXPECT_EQ(rs.AbsolutePosition(), far);
        EXPECT_FALSE(rs.FindFirst(JetQuery("Codice = ") << Jet::text(code(far))));
        EXPECT_TRUE(rs.NoMatch());
        EXPECT_EQ(rs.RecordCount(), rows - 1);

        // A new row takes its place in the order.
        rs.AddNew();
        rs.setValue("Codice", code(far) + "A");
        rs.Update();
        rs.setBookmark(rs.LastModified());
        EXPECT_EQ(rs.AbsolutePosition(), far);
        rs.MoveNext();
        EXPECT_EQ(rs["Codice"].toString(), code(far + 1));
    }

    Recordset snapshot = Recordset::open(data(), JetQuery("SELECT * FROM Zone"), Recordset::Type::Snapshot);
    EXPECT_FALSE(snapshot.updatable());
    EXPECT_THROW(snapshot.Edit(), DatabaseError);
}

} // namespace
