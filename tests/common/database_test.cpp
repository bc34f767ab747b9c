#include "common/database.h"
#include "common/recordset.h"
#include "support/programfolder.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    }
}

TEST_F(DatabaseTest, TextComparesWithoutRegardToCaseAccentsIncluded)
{
    Database db = data();
    db.execute(JetQuery("INSERT INTO UM (Codice, [Desc]) VALUES (") << Jet::text("caffè") << ", " << Jet::text("x") << ")");
    QSqlQuery q = db.select(JetQuery("SELECT Codice FROM UM WHERE Codice = ") << Jet::text("CAFFÈ"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("caffè"));

    // A case variant is a duplicate for the unique key.
    EXPECT_THROW(db.execute(JetQuery("INSERT INTO UM (Codice, [Desc]) VALUES (") << Jet::text("CAFFÈ") << ", "
                                                                              << Jet::text("y") << ")"),
                 DatabaseError);

    // Order ignores case: "bETA" sorts between "alfa" and "Gamma".
    for (const char* code : {"Gamma", "alfa", "bETA"})
        db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES (") << Jet::text(code) << ", " << Jet::text(code) << ")");
    QSqlQuery ordered = db.select(JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('Gamma','alfa','bETA') ORDER BY [Codice]"));
    QStringList codes;
    while (ordered.next())
        codes << ordered.value(0).toString();
    EXPECT_EQ(codes, (QStringList{"alfa", "bETA", "Gamma"}));

    QSqlQuery check(db.connection());
    ASSERT_TRUE(check.exec("PRAGMA integrity_check") && check.next());
    EXPECT_EQ(check.value(0).toString(), QStringLiteral("ok"));
}

TEST_F(DatabaseTest, ValuesAreBoundNeverSpliced)
{
    Database db = data();
    for (const QString& code : {QStringLiteral("a\"b"), QStringLiteral("x\" OR \"1\"=\"1"), QStringLiteral("o'neil")})
        db.execute(JetQuery("INSERT INTO UM (Codice, [Desc]) VALUES (") << Jet::text(code) << ", " << Jet::text("d") << ")");
    const JetQuery q = JetQuery("SELECT Codice FROM UM WHERE Codice = ") << Jet::text("x\" OR \"1\"=\"1");
    EXPECT_EQ(q.jetText(), QStringLiteral("SELECT Codice FROM UM WHERE Codice = \"x\" OR \"1\"=\"1\""));
    QSqlQuery rows = db.select(q);
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
    QSqlQuery years = db.select(byDate);
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

TEST_F(DatabaseTest, RecordsetMovesEditsAndKeepsNull)
{
    Database db = data();
    db.execute(JetQuery("DELETE * FROM Zone"));
    Recordset rs = Recordset::openTable(db, "Zone");
    EXPECT_TRUE(rs.isBOF());
    EXPECT_TRUE(rs.isEOF());
    EXPECT_EQ(rs.RecordCount(), 0);

    for (const char* code : {"A", "B", "C"}) {
        rs.AddNew();
        rs.setValue("Codice", QString::fromLatin1(code));
        rs.Update();
    }
    rs.AddNew();
    rs.setValue("Codice", "D");
    rs.CancelUpdate();
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.MoveFirst();
    EXPECT_EQ(rs["Codice"].toString(), "A");
    EXPECT_TRUE(rs["Desc"].isNull());
    rs.MoveLast();
    EXPECT_EQ(rs["Codice"].toString(), "C");
    rs.MoveNext();
    EXPECT_TRUE(rs.isEOF());
    rs.MovePrevious();
    rs.MovePrevious();
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_TRUE(rs.isBOF());

    ASSERT_TRUE(rs.FindFirst(JetQuery("Codice = ") << Jet::text("b")));
    rs.Edit();
    rs.setValue("Desc", "bi");
    rs.Update();
    rs.Delete();
    rs.MoveNext();
    EXPECT_EQ(rs["Codice"].toString(), "C");
    EXPECT_FALSE(rs.FindFirst(JetQuery("Codice = ") << Jet::text("B")));
    EXPECT_TRUE(rs.NoMatch());

    Recordset again = Recordset::open(db, JetQuery("SELECT * FROM Zone ORDER BY Codice"), Recordset::Type::Snapshot);
    EXPECT_EQ(again.RecordCount(), 2);
    EXPECT_FALSE(again.updatable());
    EXPECT_THROW(again.Edit(), DatabaseError);
}

} // namespace
