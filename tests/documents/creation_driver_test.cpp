// The creation of a document as a whole: what is written, in which order, and what stays when a
// write fails.
#include "creation_fixture.h"

#include <QSqlQuery>

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
    void refuseRow(const QString& table, int riga)
    {
        QSqlQuery q(db.connection());
        if (db.engine() == Database::Engine::PostgreSQL) {
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE FUNCTION refuse_row() RETURNS trigger LANGUAGE plpgsql AS "
                                              "$$BEGIN RAISE EXCEPTION 'Riga rifiutata'; END$$")));
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER refuse_row BEFORE INSERT ON %1 FOR EACH ROW WHEN (NEW.riga = %2) "
                                              "EXECUTE FUNCTION refuse_row()").arg(table).arg(riga)));
            return;
        }
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER RefuseRow BEFORE INSERT ON %1 WHEN NEW.Riga = %2 "
                                          "BEGIN SELECT RAISE(ABORT, 'Riga rifiutata'); END")
                               .arg(table)
                               .arg(riga)));
    }
};

TEST_F(Creation, SourceGoneOrWithoutRowsTakesNoNumberAndWritesNothing)
{
    CreationRequest gone = request(1, 1, 1);
    gone.sourceDataReg = gone.sourceDataReg.addDays(1);
    const int headers = count("SELECT Count(*) FROM FATVETes");
    const int rowCount = count("SELECT Count(*) FROM FATVERig");

    CreationResult result = create(gone);
    EXPECT_EQ(result.status, CreationResult::Status::SourceMissing);
    EXPECT_EQ(result.newNumber, 0);

    db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero, idEsercizio) VALUES (")
               << Jet::date(gone.sourceDataReg) << ", 40, 40, " << Jet::text(year()) << ")");
    CreationRequest empty = gone;
    empty.sourceNumInt = 40;
    result = create(empty);
    EXPECT_EQ(result.status, CreationResult::Status::SourceWithoutRows);
    EXPECT_EQ(result.newNumber, 0);

    EXPECT_EQ(lastNumber("FATVE"), 2);
    EXPECT_EQ(count("SELECT Count(*) FROM FATVETes"), headers);
    EXPECT_EQ(count("SELECT Count(*) FROM FATVERig"), rowCount);
}

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

TEST_F(Creation, TwoConversionsOfOneSourceGiveTwoDocuments)
{
    const CreationRequest r = request(1, 1, 1);
    const CreationResult first = create(r);
    const CreationResult second = create(r);
    EXPECT_EQ(first.newNumber, 3);
    EXPECT_EQ(second.newNumber, 4);
    EXPECT_EQ(lastNumber("FATVE"), 4);
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 3).size(), 3);
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 4).size(), 3);
}

TEST_F(Creation, RowRefusedKeepsTheHeaderAndTheRowsBeforeIt)
{
    const CreationRequest r = request(2, 1, 3);  // four rows
    const QVector<QSqlRecord> sourceBefore = rows("ORDVERig", r.sourceDataReg, 3);
    refuseRow("FATVERig", 3);

    const CreationResult result = create(r);
    EXPECT_EQ(result.status, CreationResult::Status::Failed);
    EXPECT_TRUE(detailOf(result).contains("Riga rifiutata")) << detailOf(result).toStdString();
    EXPECT_EQ(result.newNumber, 3);
    EXPECT_TRUE(result.headerSaved);
    EXPECT_EQ(result.rowsSaved, 2);
    EXPECT_FALSE(header("FATVETes", platform.todayDate, 3).isEmpty());
    const QVector<QSqlRecord> kept = rows("FATVERig", platform.todayDate, 3);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].value("idArticolo").toString(), "ART008");
    EXPECT_EQ(kept[1].value("idArticolo").toString(), "ART002");
    EXPECT_EQ(kept[1].value("Riga").toInt(), 2);
    // The number is not given back, and the source is as it was.
    EXPECT_EQ(lastNumber("FATVE"), 3);
    const QVector<QSqlRecord> sourceAfter = rows("ORDVERig", r.sourceDataReg, 3);
    ASSERT_EQ(sourceAfter.size(), sourceBefore.size());
    for (int k = 0; k < sourceBefore.size(); ++k)
        for (int i = 0; i < sourceBefore[k].count(); ++i)
            EXPECT_EQ(sourceAfter[k].value(i), sourceBefore[k].value(i));
}

TEST_F(Creation, FirstRowRefusedKeepsTheHeaderAlone)
{
    refuseRow("FATVERig", 1);
    const CreationResult result = create(request(2, 1, 3));
    EXPECT_EQ(result.status, CreationResult::Status::Failed);
    EXPECT_FALSE(header("FATVETes", platform.todayDate, 3).isEmpty());
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 3).size(), 0);
}

TEST_F(Creation, HeaderRefusedWritesNoDocumentButTheMovementStays)
{
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec("CREATE TRIGGER RefuseHeader BEFORE INSERT ON FATVETes "
                       "BEGIN SELECT RAISE(ABORT, 'Testata rifiutata'); END"));
    CreationRequest r = request(1, 1, 1);
    r.movementRequested = true;
    r.movementDate = platform.todayDate.toString("dd/MM/yyyy");
    r.movementReason = "VEN";
    const CreationResult result = create(r);
    EXPECT_EQ(result.status, CreationResult::Status::Failed);
    EXPECT_TRUE(detailOf(result).contains("Testata rifiutata")) << detailOf(result).toStdString();
    EXPECT_FALSE(result.headerSaved);
    EXPECT_EQ(result.movementNumber, 2);
    EXPECT_TRUE(header("FATVETes", platform.todayDate, 3).isEmpty());
    EXPECT_EQ(rows("FATVERig", platform.todayDate, 3).size(), 0);
    EXPECT_EQ(count("SELECT Count(*) FROM MovMagRig WHERE idCausale = 'VEN' AND NumInt = 2"), 3);
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
