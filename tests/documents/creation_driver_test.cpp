// The creation of a document as a whole: what is written, in which order, and what stays when a write fails.
#include "creation_fixture.h"

namespace {

using Creation = CreationTest;

// Each conversion gives a document of its own dated today under the next number, the source left
// as it was; only the one asked for a movement carries the movement's keys.
TEST_F(Creation, TwoConversionsOfOneSourceGiveTwoDocumentsAndLeaveTheSourceAsItWas)
{
    platform.todayDate = QDate(year().toInt(), 2, 14);
    CreationRequest r = request(2, 1, 3);  // four rows
    ASSERT_NE(r.sourceDataReg, platform.todayDate);
    const QString source = "SELECT * FROM ORDVETes NATURAL JOIN ORDVERig WHERE NumInt = 3";
    const QStringList sourceBefore = folder.rows("data.mdb", source);
    const CreationResult plain = create(r);
    EXPECT_EQ(plain.newNumber, 3);
    EXPECT_EQ(plain.createdSummary, "Data : 14/02/" + year() + " Numero : 3");
    EXPECT_EQ(plain.movementNumber, 0);

    r.movementRequested = true;
    r.movementDate = typedDate(platform.todayDate);
    r.movementReason = "SCA";
    r.reasonKind = "S";
    const CreationResult moved = create(r);
    ASSERT_EQ(moved.status, CreationResult::Status::Created) << detailOf(moved).toStdString();
    EXPECT_EQ(moved.newNumber, 4);
    EXPECT_EQ(moved.movementNumber, 1);
    EXPECT_EQ(numerator("FATVE"), 4);
    for (qint32 number : {3, 4}) EXPECT_EQ(rows("FATVERig", platform.todayDate, number).size(), 4) << number;
    EXPECT_EQ(count("SELECT Count(*) FROM FATVERig WHERE NumInt > 2"), 8) << "no row under another date";
    EXPECT_EQ(folder.rows("data.mdb", "SELECT MMDataReg, MMidCausaleDoc, MMNumInt FROM FATVETes WHERE NumInt > 2 "
                                      "ORDER BY NumInt"), (QStringList{"||", stored(platform.todayDate) + "|SCA|1"}));
    EXPECT_EQ(count("SELECT Count(*) FROM MovMagRig WHERE idCausale = 'SCA'"), 4);
    EXPECT_EQ(folder.rows("data.mdb", source), sourceBefore);
}

// A write refused part way keeps what was written before it, the movement too, and the number.
TEST_F(Creation, ARefusedWriteKeepsWhatWasWrittenBeforeIt)
{
    const struct
    {
        const char* refused;  // trigger condition
        bool headerKept;
        QStringList rowsKept;
    } cases[] = {{"FATVETes", false, {}}, {"FATVERig WHEN NEW.Riga = 1", true, {}},
                 {"FATVERig WHEN NEW.Riga = 3", true, {"1|ART008", "2|ART002"}}};
    int number = 3, movement = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        folder.exec("data.mdb", "DROP TRIGGER IF EXISTS Refuse");
        folder.exec("data.mdb", QStringLiteral("CREATE TRIGGER Refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, "
                                               "'rifiutato'); END").arg(QString::fromLatin1(c.refused)));
        CreationRequest r = request(2, 1, 3);
        r.movementRequested = true;
        r.movementDate = typedDate(platform.todayDate);
        r.movementReason = "VEN";
        const CreationResult result = create(r);
        EXPECT_EQ(result.status, CreationResult::Status::Failed);
        EXPECT_TRUE(detailOf(result).contains("rifiutato")) << detailOf(result).toStdString();
        EXPECT_EQ(result.newNumber, number);
        EXPECT_EQ(result.headerSaved, c.headerKept);
        EXPECT_EQ(result.rowsSaved, c.rowsKept.size());
        EXPECT_EQ(header("FATVETes", platform.todayDate, number).isEmpty(), !c.headerKept);
        EXPECT_EQ(folder.rows("data.mdb", QStringLiteral("SELECT Riga, idArticolo FROM FATVERig WHERE NumInt = %1 "
                                                         "ORDER BY Riga").arg(number)), c.rowsKept);
        EXPECT_EQ(numerator("FATVE"), number) << "the number is not given back";
        EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM MovMagRig WHERE idCausale = 'VEN' AND NumInt = %1")
                            .arg(movement)), 4);
        ++number, ++movement;
    }
}

TEST_F(Creation, RowCounterHolds32767Rows)
{
    // Delivery notes of their own, their rows numbered 2, 4, 6...: numbered again 1, 2, 3; the one
    // with a row too many stops at the counter's last row.
    const QDate yesterday = platform.todayDate.addDays(-1);
    for (const int rows : {32767, 32768}) {
        SCOPED_TRACE(rows);
        db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero, idEsercizio, TotDDTLire) VALUES (")
                   << Jet::date(yesterday) << ", " << Jet::number(rows) << ", " << Jet::number(rows) << ", "
                   << Jet::text(year()) << ", 1000)");
        db.execute(JetQuery("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") << Jet::number(rows)
                   << ") INSERT INTO DDTRig (DataReg, NumInt, Riga, idArticolo, Quantita, TotRigaLit) SELECT "
                   << Jet::date(yesterday) << ", " << Jet::number(rows) << ", i * 2, 'ART001', i, i * 10 FROM n");
        const CreationResult result = create(request(1, 1, rows));
        EXPECT_EQ(detailOf(result), rows > 32767 ? "Overflow" : "");
        EXPECT_EQ(result.rowsSaved, 32767);
        const QString invoice = " FROM FATVERig WHERE NumInt = " + QString::number(result.newNumber);
        EXPECT_FALSE(header("FATVETes", platform.todayDate, result.newNumber).isEmpty());
        EXPECT_EQ(folder.rows("data.mdb", "SELECT Count(*), Max(Riga)" + invoice), QStringList{"32767|32767"});
        EXPECT_EQ(count("SELECT Quantita" + invoice + " AND Riga = 32767"), 32767);
    }
}

} // namespace
