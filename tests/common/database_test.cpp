#include "common/database.h"
#include "common/recordset.h"
#include "common/transaction.h"
#include "common/writeturn.h"
#include "components/failuremessage.h"
#include "support/programfolder.h"

#include <QtSql> // the driver's own handle and plain queries, with the core
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class DatabaseTest : public ::testing::Test
{
protected:
    ProgramFolder folder;
    Database data() { return Database::open(folder.dataDb(), ProgramFolder::connectString()); }
};

// The error an action fails with; one of kind Failed saying so when it does not fail.
DatabaseError failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DatabaseError& e) {
        return e;
    }
    return DatabaseError(DatabaseError::Kind::Failed, QStringLiteral("no failure"));
}

QString worker(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/worker_") + name;
}

QStringList column(const Database& db, const JetQuery& query)
{
    QStringList values;
    for (Rows rows = db.select(query); rows.next();) values << rows.value(0).toString();
    return values;
}

// Opening failures are told apart and create nothing; a full disk and a damaged archive are told
// as such, naming the archive and what was kept, with the engine's words only as a detail.
TEST_F(DatabaseTest, FailuresAreToldApartInItalian)
{
    const QString missing = folder.file("missing.mdb"), text = folder.file("text.mdb");
    EXPECT_EQ(failure([&] { Database::open(missing, ProgramFolder::connectString()); }).kind(), DatabaseError::Kind::NotFound);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(failure([&] { Database::open(folder.dataDb(), QStringLiteral(";PWD=wrong")); }).kind(),
              DatabaseError::Kind::WrongPassword);
    EXPECT_THROW(Jet::identifier("UM; DROP TABLE UM"), DatabaseError) << "names cannot smuggle statements in";

    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("three lines\nof plain text\nnot an archive\n");
    file.close();
    DatabaseError e = failure([&] { Database::open(text, ProgramFolder::connectString()); });
    EXPECT_EQ(e.kind(), DatabaseError::Kind::NotAnArchive);
    EXPECT_EQ(failureMessage(e), "Il file '" + text + "' non è un archivio valido.");

    Database db = data();
    db.run(QStringLiteral("PRAGMA max_page_count = 1"));
    e = failure([&] {
        for (int i = 100; i < 10000; ++i)
            db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES (") << Jet::text(QString::number(i)) << ", "
                                                                             << Jet::text(QString(200, u'x')) << ")");
    });
    EXPECT_EQ(e.kind(), DatabaseError::Kind::DiskFull);
    EXPECT_TRUE(failureMessage(e).startsWith("Spazio su disco esaurito per l'archivio '" + folder.dataDb()
                                             + "'.\rNessun dato è stato sovrascritto"));
    EXPECT_TRUE(failureMessage(e).contains("\rDettaglio: "));
    db = Database();

    file.setFileName(folder.dataDb());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096);
    file.write(QByteArray(int(file.size()) - 4096, '\xA5'));
    file.close();
    e = failure([&] {
        Database damaged = data();
        for (const char* table : {"Clienti", "Articoli", "Fornitori", "DDTTes", "DDTRig", "FATVETes"})
            damaged.select(JetQuery("SELECT * FROM ") << Jet::identifier(QString::fromLatin1(table))).next();
    });
    EXPECT_EQ(e.kind(), DatabaseError::Kind::Damaged) << e.detail().toStdString();
    EXPECT_TRUE(failureMessage(e).startsWith("L'archivio '" + folder.dataDb() + "' risulta danneggiato."));
}

void save(const Database& db, const QString& table, const QString& code)
{
    Recordset rows = Recordset::openTable(db, table);
    rows.AddNew();
    rows.setValue(QStringLiteral("Codice"), code);
    rows.setValue(QStringLiteral("Desc"), code);
    rows.Update();
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
    const QStringList letters{"É", "é", "È", "è", "À", "à", "Ù", "ù", "Ò", "ò", "𐐨", "𐐀"};  // last: beyond 16 bits
    QStringList codes;
    for (int i = 0; i < 200; ++i)
        codes << letters[i % letters.size()] + QStringLiteral("%1").arg(i, 3, 10, QChar(u'0'));
    for (const QString& code : codes) save(data(), QStringLiteral("ModPag"), code);
    EXPECT_EQ(shell(folder.dataDb(), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(shell(folder.dataDb(), "VACUUM; REINDEX; PRAGMA integrity_check"), "ok");

    Database db = data();
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        const QString variant = code.at(0).isUpper() ? code.toLower() : code.toUpper();
        EXPECT_EQ(column(db, JetQuery("SELECT Codice FROM ModPag WHERE Codice = ") << Jet::text(variant)), QStringList{code});
        EXPECT_EQ(failure([&] { save(db, QStringLiteral("ModPag"), variant); }).kind(), DatabaseError::Kind::Constraint);
    }

    // Lists sort as Italians expect; other than a code is other than all its case variants.
    for (const char* name : {"Zeta", "Élite", "Elena", "elfo"})
        save(db, QStringLiteral("Zone"), QString::fromUtf8(name));
    JetQuery byName("SELECT Codice FROM Zone WHERE Codice IN ('Zeta','Élite','Elena','elfo')");
    EXPECT_EQ(column(db, byName.orderBy(" ORDER BY ", {{"Codice", true}})), QStringList({"Elena", "elfo", "Élite", "Zeta"}));
    EXPECT_EQ(column(db, JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('Élite', 'Elena') AND Codice <> ") << Jet::text("éLITE")),
              QStringList{"Elena"});
    JetQuery before = JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('Zeta','Élite','Elena','elfo') AND Codice < ") << Jet::text("éLITE");
    EXPECT_EQ(column(db, before.orderBy(" ORDER BY ", {{"Codice", true}})), QStringList({"Elena", "elfo"})) << "a range as the list sorts";
}

// Several workstations share one archive: a writer waits for another instead of failing, and
// "é" saved while another workstation saves "É" waits for it and is refused.
TEST_F(DatabaseTest, ASecondWriterWaitsForTheFirstAndACaseVariantIsRefused)
{
    QProcess holder;
    holder.start(worker("dbholder"), {folder.dataDb(), QStringLiteral("ÉPOCA"), QStringLiteral("1500")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_TRUE(holder.readAll().contains("HOLDING"));
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(failure([&] { save(data(), QStringLiteral("Zone"), QStringLiteral("época")); }).kind(),
              DatabaseError::Kind::Constraint);
    EXPECT_GT(waited.elapsed(), 500);
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_EQ(column(data(), JetQuery("SELECT Codice FROM Zone WHERE Codice = ") << Jet::text(QStringLiteral("época"))),
              QStringList{"ÉPOCA"});
}

// Another workstation keeping its write longer than the busy timeout: a write waits that long,
// then gives up as busy. Between writes a shared folder keeps the archive's rollback journal,
// never a write-ahead log, which the folder's other programs could not share.
TEST_F(DatabaseTest, AWriteKeptWaitingGivesUpAfterTheBusyTimeoutAndTheJournalStays)
{
    QProcess holder;
    holder.start(worker("dbholder"), {folder.dataDb(), QStringLiteral("HELD"), QString::number(Database::BusyTimeoutMs + 3000)});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(failure([&] { save(data(), QStringLiteral("Zone"), QStringLiteral("HELD")); }).kind(), DatabaseError::Kind::Busy);
    EXPECT_GT(waited.elapsed(), Database::BusyTimeoutMs - 300);
    EXPECT_LT(waited.elapsed(), Database::BusyTimeoutMs + 2500);
    ASSERT_TRUE(holder.waitForFinished(15000));
    const Database reader = Database::open(folder.dataDb(), ProgramFolder::connectString(), true);
    EXPECT_EQ(failure([&] { save(reader, QStringLiteral("Zone"), QStringLiteral("READ")); }).kind(), DatabaseError::Kind::ReadOnly)
        << "a connection opened to read writes nothing";
    if (ProgramFolder::onServer()) return;
    save(data(), QStringLiteral("Zone"), QStringLiteral("AFTER"));
    EXPECT_TRUE(QFile::exists(folder.dataDb() + QStringLiteral("-journal")));
    EXPECT_FALSE(QFile::exists(folder.dataDb() + QStringLiteral("-wal")));
    EXPECT_EQ(shell(folder.dataDb(), QStringLiteral("SELECT count(*) FROM Zone WHERE Codice IN ('HELD', 'AFTER')")), "2");
}

// A write inside an open transaction is undone alone when it fails, and otherwise commits with
// the enclosing one (a number taken inside a document's creation).
TEST_F(DatabaseTest, AWriteInsideAnotherIsUndoneAloneOrCommitsWithIt)
{
    Database db = data();
    {
        WriteTransaction outer(db);
        db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T1')"));
        EXPECT_THROW(inImmediateTransaction(db, [&] {
                         db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T2')"));
                         db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T2')"));
                     }), DatabaseError);
        EXPECT_TRUE(db.inTransaction());
        EXPECT_EQ(inImmediateTransaction(db, [&] { return db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T3')")); }), 1);
        outer.commit();
    }
    EXPECT_EQ(column(data(), JetQuery("SELECT Codice FROM Zone WHERE Codice LIKE 'T%' ORDER BY Codice")), QStringList({"T1", "T3"}));
}

// Writers take turns: a turn held by another workstation is waited for until it is left, or
// until the timeout when that workstation keeps it too long.
TEST_F(DatabaseTest, WritersWaitForTheTurnOfAnotherWorkstationUpToTheTimeout)
{
    QProcess holder;
    holder.start(worker("turnholder"), {folder.userDb(), "800"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(WriteTurn(folder.userDb(), 10000).taken());
    EXPECT_GT(waited.elapsed(), 400);
    ASSERT_TRUE(holder.waitForFinished(10000));

    QProcess keeper;
    keeper.start(worker("turnholder"), {folder.userDb(), "20000"});
    ASSERT_TRUE(keeper.waitForReadyRead(10000));
    waited.restart();
    EXPECT_FALSE(WriteTurn(folder.userDb(), 300).taken());
    EXPECT_TRUE(waited.elapsed() >= 250 && waited.elapsed() < 5000) << waited.elapsed();
    // Without a turn the write still goes through, the engine deciding as ever.
    Database users = Database::open(folder.userDb(), ProgramFolder::connectString());
    EXPECT_NO_THROW(users.execute(JetQuery("DELETE FROM Accessi")));
    keeper.kill();
    keeper.waitForFinished(5000);
}

// Taking and leaving a turn must not loosen the engine's own locks held by this process.
TEST_F(DatabaseTest, LeavingATurnKeepsTheWriteLockOfThisProcess)
{
    Database db = data();
    WriteTransaction transaction(db);
    { const WriteTurn turn(folder.dataDb(), 1000); }
    { const WriteTurn turn(folder.dataDb(), 1000); }

    QProcess other;
    other.start(worker("dbholder"), {folder.dataDb(), "OTHER", "0"});
    EXPECT_FALSE(other.waitForReadyRead(700)) << "another workstation wrote during this one's transaction";
    transaction.commit();
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_TRUE(other.readAll().contains("HOLDING"));
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
    Database::create(folder.file("nuovo.mdb"), QString());
    EXPECT_EQ(shell(folder.file("nuovo.mdb"), "PRAGMA application_id"), "1114789429") << "one created now is of this build";
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
    data();
    EXPECT_EQ(shell(folder.dataDb(), "PRAGMA integrity_check"), "ok");
}

// A recordset moves, finds, adds, changes and deletes alike on a list of a few rows and on one of
// several pages, the rows past the first pages included; Null stays Null.
TEST_F(DatabaseTest, RecordsetsBehaveAlikeOnShortListsAndListsOfManyPages)
{
    const auto code = [](int n) { return QStringLiteral("Z%1").arg(n, 4, 10, QChar(u'0')); };
    for (const int rows : {3, 5 * Recordset::PageSize + 7}) {
        SCOPED_TRACE(rows);
        Database db = data();
        db.execute(JetQuery("DELETE * FROM Zone"));
        JetQuery byCode = JetQuery("SELECT * FROM ") << Jet::table("Zone");
        Recordset rs = Recordset::open(db, byCode.orderBy(" ORDER BY ", {{"Codice", true}}));
        EXPECT_TRUE(rs.isBOF() && rs.isEOF() && rs.isEmpty());
        const auto at = [&rs] { return rs["Codice"].toString(); };
        for (int n = rows - 1; n >= 0; --n) {  // written backwards, listed by code
            rs.AddNew();
            rs.setValue("Codice", code(n));
            rs.Update();
            EXPECT_EQ(at(), code(rows - 1)) << "an empty set stands on its first row added, then keeps it";
        }
        rs.AddNew();
        rs.setValue("Codice", "ZZ");
        rs.CancelUpdate();
        EXPECT_EQ(rs.RecordCount(), rows);

        rs.MoveFirst();
        EXPECT_EQ(at(), code(0));
        EXPECT_TRUE(rs["Desc"].isNull());
        for (int n = 1; n < rows; ++n) rs.MoveNext();
        EXPECT_EQ(at(), code(rows - 1));
        rs.MoveNext();
        EXPECT_TRUE(rs.isEOF());
        rs.MovePrevious();
        EXPECT_EQ(at(), code(rows - 1));
        rs.MoveLast();
        for (int n = 0; n < rows; ++n) rs.MovePrevious();
        EXPECT_TRUE(rs.isBOF());
        EXPECT_THROW(rs.Delete(), DatabaseError) << "before the first row there is none to delete";
        EXPECT_THROW(rs["Codice"], DatabaseError) << "nor one to read";
        rs.Requery();
        EXPECT_EQ(at(), code(0)) << "read again, it stands on its first row";
        rs.setAbsolutePosition(rows - 2);
        EXPECT_EQ(at(), code(rows - 2));

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
        EXPECT_EQ(rs.AbsolutePosition(), -1) << "the deleted row has no place";
        rs.MoveNext();
        EXPECT_EQ(at(), code(far + 1));
        EXPECT_EQ(rs.AbsolutePosition(), far);
        EXPECT_FALSE(rs.FindFirst(JetQuery("Codice = ") << Jet::text(code(far))));
        EXPECT_EQ(rs.RecordCount(), rows - 1);

        // A new row takes its place in the order.
        rs.AddNew();
        rs.setValue("Codice", code(far) + "A");
        rs.Update();
        rs.setBookmark(rs.LastModified());
        EXPECT_EQ(rs.AbsolutePosition(), far);
        rs.MoveNext();
        EXPECT_EQ(at(), code(far + 1));

        // The last row deleted, moves past the end and back never meet it again.
        rs.MoveLast();
        rs.Delete();
        for (const auto move : {&Recordset::MoveNext, &Recordset::MovePrevious, &Recordset::MovePrevious, &Recordset::MoveNext, &Recordset::MoveNext})
            (rs.*move)();
        EXPECT_TRUE(rs.isEOF()) << at().toStdString();
        ASSERT_TRUE(rs.FindFirst(JetQuery("Codice = ") << Jet::text(code(far) + "A")));  // the new last row, found
        rs.Delete();
        rs.MoveNext();
        EXPECT_FALSE(rs.isEmpty()) << "past the deleted last row the rows before it stay";
        rs.MovePrevious();
        EXPECT_EQ(at(), code(far - 1));
    }

    Recordset snapshot = Recordset::open(data(), JetQuery("SELECT * FROM Zone"), Recordset::Type::Snapshot);
    EXPECT_FALSE(snapshot.updatable());
    for (const auto write : {&Recordset::Edit, &Recordset::AddNew, &Recordset::Delete})
        EXPECT_THROW((snapshot.*write)(), DatabaseError);
    // A field the selection lacks is named in the failure; one past its last is refused too.
    EXPECT_EQ(failureMessage(failure([&] { snapshot.value("Prezzo"); })), "Elemento 'Prezzo' non trovato in questo insieme.");
    EXPECT_EQ(failureMessage(failure([&] { snapshot.value(snapshot.fieldNames().size()); })), "Elemento non trovato in questo insieme.");
}

// Null sort keys (left by imports) come first on both engines; walks both ways meet every row.
TEST_F(DatabaseTest, RecordsetsMeetRowsWithoutASortKeyWalkingEitherWay)
{
    const auto walk = [](Recordset& rs, bool forward) {
        QList<qint64> met;
        for (forward ? rs.MoveFirst() : rs.MoveLast(); !rs.isEOF() && !rs.isBOF(); forward ? rs.MoveNext() : rs.MovePrevious())
            forward ? met.append(rs.bookmark().rowid) : met.prepend(rs.bookmark().rowid);
        return met;
    };
    for (const int nulls : {4, 102, 200}) {
        SCOPED_TRACE(nulls);
        ProgramFolder fresh;
        QStringList articles, movements;
        for (int i = 0; i < 200; ++i) {
            articles << (i < 200 - nulls ? QStringLiteral("('N%1', 'x')").arg(i) : QStringLiteral("(NULL, 'x')"));
            movements << QStringLiteral("(%1, %2)").arg(QString(i < nulls && i % 3 ? "NULL" : i % 5 ? "'2026-01-02'" : "'2026-01-01'"),
                                                         i % Recordset::PageSize < 2 ? "NULL" : QString::number(i));
        }
        fresh.exec("data.mdb", "INSERT INTO Articoli (Codice, Descrizione) VALUES " + articles.join(u','));
        fresh.exec("data.mdb", "INSERT INTO MovMagTes (DataReg, NumInt) VALUES " + movements.join(u','));
        for (const auto& [table, keys] : {std::pair{"Articoli", std::vector<SortKey>{{"Codice"}}},
                                          std::pair{"MovMagTes", std::vector<SortKey>{{"DataReg"}, {"NumInt"}}}}) {
            Recordset rs = Recordset::open(Database::open(fresh.dataDb(), ProgramFolder::connectString()),
                                           (JetQuery("SELECT * FROM ") << Jet::table(table)).orderBy(" ORDER BY ", keys));
            EXPECT_EQ(walk(rs, true).size(), rs.RecordCount()) << table;
            EXPECT_EQ(walk(rs, false), walk(rs, true)) << table;
            rs.setAbsolutePosition(nulls - 1);
            rs.setBookmark(rs.bookmark());  // its place counted afresh
            EXPECT_EQ(rs.AbsolutePosition(), nulls - 1) << table;
            rs.MoveFirst();
            EXPECT_TRUE(rs[keys.front().column].isNull()) << table << ": Null comes first";
        }
    }
}

} // namespace
