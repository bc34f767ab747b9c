// The warehouse movement posted with a created document: one line per source row, numbered per
// reason and fiscal year, its keys written into the new header.
#include "creation_fixture.h"
#include "common/jetdate.h"


namespace {

class Movement : public CreationTest
{
protected:
    qint32 post(const QString& reason, qint32 sourceNumInt, const QDate& sourceDate, const QString& date,
                QString& reasonKind)
    {
        qint32 number = -5;
        QString rowsTable = "DDTRig";
        base->PostStockMovement(nullptr, "D.D.T.", typedDate(sourceDate), QString::number(sourceNumInt), date, reason,
                                number, reasonKind, rowsTable, nullptr, nullptr, -1, sourceNumInt);
        return number;
    }
};

TEST_F(Movement, RecordsOneLinePerSourceRowUnderTheReasonsNextNumber)
{
    const QDate sourceDate = request(1, 1, 3).sourceDataReg;
    const QDate on(year().toInt(), 6, 30);
    QString kind;
    EXPECT_EQ(post("sca", 3, sourceDate, typedDate(on), kind), 1);
    EXPECT_EQ(kind, "S");

    const QString header = QStringList{stored(on), "-", "S", year(), "D.D.T.", stored(sourceDate), "3", "3"}.join('|');
    EXPECT_EQ(folder.rows("data.mdb", "SELECT DataReg, Segno, Tipo, idEsercizio, Origine, OrigDataReg, OrigNumero, "
                                      "OrigNumInt FROM MovMagTes WHERE idCausale = 'SCA' AND NumInt = 1"),
              QStringList{header});
    // Source rows 1, 3, 7 give lines 1, 2, 3 in that order.
    EXPECT_EQ(folder.rows("data.mdb", "SELECT Riga, idArticolo, Deposito, Quantita, DataReg FROM MovMagRig "
                                      "WHERE idCausale = 'SCA' AND NumInt = 1 ORDER BY Riga"),
              (QStringList{"1|ART004|DEP|25|" + stored(on), "2|ART007|DEP|100|" + stored(on), "3|ART002|DEP|6|" + stored(on)}));

    // The next movement of the reason takes the next number; VEN goes on from its demo movement.
    EXPECT_EQ(post("SCA", 3, sourceDate, typedDate(on), kind), 2);
    QString venKind;
    EXPECT_EQ(post("VEN", 1, request(1, 1, 1).sourceDataReg, typedDate(on), venKind), 2);
    EXPECT_EQ(venKind, "V");
}

TEST_F(Movement, ACreatedDocumentCarriesTheKeysOfItsMovementOnlyWhenOneWasAskedFor)
{
    for (bool asked : {false, true}) {
        SCOPED_TRACE(asked);
        const int before = count("SELECT Count(*) FROM MovMagTes");
        CreationRequest r = request(2, 5, 1);
        r.movementRequested = asked;
        r.movementDate = typedDate(platform.todayDate);
        r.movementReason = "SCA";
        r.reasonKind = "S";
        const CreationResult result = create(r);
        ASSERT_EQ(result.status, CreationResult::Status::Created) << detailOf(result).toStdString();
        EXPECT_EQ(result.movementNumber, asked ? 1 : 0);
        EXPECT_EQ(count("SELECT Count(*) FROM MovMagTes"), before + asked);
        EXPECT_EQ(folder.rows("data.mdb", QStringLiteral("SELECT MMDataReg, MMidCausaleDoc, MMNumInt FROM DDTTes "
                                                         "WHERE NumInt = %1").arg(result.newNumber)),
                  QStringList{asked ? stored(platform.todayDate) + "|SCA|1" : "||"});
        EXPECT_EQ(count("SELECT Count(*) FROM MovMagRig WHERE idCausale = 'SCA'"), asked ? 3 : 0);
    }
}

} // namespace
