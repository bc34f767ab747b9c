// The creation of a document as a whole: what is written, in which order, and what stays when a
// write fails.
#include "creation_fixture.h"


namespace {

class Creation : public CreationTest
{
protected:
    int lastNumber(const QString& code)
    {
        return scalar(JetQuery("SELECT Progressivo FROM Numeratori WHERE idTipo='*' AND idCodice=") << Jet::text(code)
                                                                                                     << " AND idEsercizio="
                                                                                                     << Jet::text(year()))
            .toInt();
    }
    // A source delivery note of its own with the given number of rows.
    CreationRequest deliveryNoteWithRows(qint32 numInt, int rowCount)
    {
        db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero, idEsercizio, TotDDTLire) VALUES (")
                   << Jet::date(platform.todayDate.addDays(-1)) << ", " << Jet::number(numInt) << ", "
                   << Jet::number(numInt) << ", " << Jet::text(year()) << ", 1000)");
        db.execute(JetQuery("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ")
                   << Jet::number(rowCount)
                   << ") INSERT INTO DDTRig (DataReg, NumInt, Riga, idArticolo, Quantita, TotRigaLit) SELECT "
                   << Jet::date(platform.todayDate.addDays(-1)) << ", " << Jet::number(numInt)
                   << ", i, 'ART001', i, i * 10 FROM n");
        return request(1, 1, numInt);
    }
};

TEST_F(Creation, NewDocumentIsDatedTodayWithTheNewNumberEverywhere)
{
    platform.todayDate = QDate(year().toInt(), 2, 14);
    const CreationRequest r = request(1, 1, 1);
    ASSERT_NE(r.sourceDataReg, platform.todayDate);
    const CreationResult result = create(r);
    ASSERT_EQ(result.status, CreationResult::Status::Created) << detailOf(result).toStdString();
    EXPECT_EQ(result.newNumber, 3);
    EXPECT_EQ(result.createdSummary, "Data : 14/02/" + year() + " Numero : 3");

    const QSqlRecord created = header("FATVETes", platform.todayDate, 3);
    EXPECT_EQ(created.value("Numero").toInt(), 3);
    const QVector<QSqlRecord> createdRows = rows("FATVERig", platform.todayDate, 3);
    EXPECT_EQ(createdRows.size(), 3);
    EXPECT_EQ(count("SELECT Count(*) FROM FATVERig WHERE NumInt = 3 AND DataReg <> '" + stored(platform.todayDate) + "'"), 0);
}

TEST_F(Creation, TwoConversionsOfOneSourceGiveTwoDocumentsAndLeaveTheSourceAsItWas)
{
    const CreationRequest r = request(2, 1, 3);  // four rows
    const QStringList sourceBefore = folder.rows("data.mdb", "SELECT * FROM ORDVETes NATURAL JOIN ORDVERig WHERE NumInt = 3");
    EXPECT_EQ(create(r).newNumber, 3);
    EXPECT_EQ(create(r).newNumber, 4);
    EXPECT_EQ(lastNumber("FATVE"), 4);
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 3).size(), 4);
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 4).size(), 4);
    EXPECT_EQ(folder.rows("data.mdb", "SELECT * FROM ORDVETes NATURAL JOIN ORDVERig WHERE NumInt = 3"), sourceBefore);
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
        folder.exec("data.mdb", QStringLiteral("CREATE TRIGGER Refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'rifiutato'); END")
                                 .arg(QString::fromLatin1(c.refused)));
        CreationRequest r = request(2, 1, 3);
        r.movementRequested = true;
        r.movementDate = platform.todayDate.toString("dd/MM/yyyy");
        r.movementReason = "VEN";
        const CreationResult result = create(r);
        EXPECT_EQ(result.status, CreationResult::Status::Failed);
        EXPECT_TRUE(detailOf(result).contains("rifiutato")) << detailOf(result).toStdString();
        EXPECT_EQ(result.newNumber, number);
        EXPECT_EQ(result.headerSaved, c.headerKept);
        EXPECT_EQ(result.rowsSaved, c.rowsKept.size());
        EXPECT_EQ(header("FATVETes", platform.todayDate, number).isEmpty(), !c.headerKept);
        EXPECT_EQ(folder.rows("data.mdb", QStringLiteral("SELECT Riga, idArticolo FROM FATVERig WHERE NumInt = %1 ORDER BY Riga").arg(number)),
                  c.rowsKept);
        EXPECT_EQ(lastNumber("FATVE"), number) << "the number is not given back";
        EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM MovMagRig WHERE idCausale = 'VEN' AND NumInt = %1").arg(movement)), 4);
        ++number, ++movement;
    }
}

TEST_F(Creation, RowCounterHolds32767Rows)
{
    const CreationRequest r = deliveryNoteWithRows(70, 32768);
    const CreationResult result = create(r);
    EXPECT_EQ(result.status, CreationResult::Status::Failed);
    EXPECT_EQ(detailOf(result), "Overflow");
    EXPECT_EQ(result.rowsSaved, 32767);
    EXPECT_FALSE(header("FATVETes", platform.todayDate, result.newNumber).isEmpty());
    EXPECT_EQ(count("SELECT Count(*) FROM FATVERig WHERE NumInt = 3"), 32767);
    EXPECT_EQ(count("SELECT Max(Riga) FROM FATVERig WHERE NumInt = 3"), 32767);
    EXPECT_EQ(count("SELECT Quantita FROM FATVERig WHERE NumInt = 3 AND Riga = 32767"), 32767);
}

} // namespace
