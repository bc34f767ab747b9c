// The warehouse movement posted with a created document: one line per source row, numbered per
// reason and fiscal year, its keys written into the new header.
#include "creation_fixture.h"
#include "common/jetdate.h"

#include <QSqlQuery>

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
    QVector<QSqlRecord> movementLines(const QString& reason, qint32 number)
    {
        Rows q = db.select(JetQuery("SELECT * FROM MovMagRig WHERE idCausale=") << Jet::text(reason)
                                                                                      << " AND NumInt=" << Jet::number(number)
                                                                                      << " ORDER BY Riga");
        QVector<QSqlRecord> out;
        while (q.next())
            out << q.record();
        return out;
    }
};

TEST_F(Movement, RecordsOneLinePerSourceRowUnderTheReasonsNextNumber)
{
    const QDate sourceDate = request(1, 1, 3).sourceDataReg;
    const QDate on(year().toInt(), 6, 30);
    QString kind;
    EXPECT_EQ(post("sca", 3, sourceDate, typedDate(on), kind), 1);
    EXPECT_EQ(kind, "S");

    {
        Rows h = db.select(JetQuery("SELECT * FROM MovMagTes WHERE idCausale='SCA' AND NumInt=1"));
        ASSERT_TRUE(h.next());
        EXPECT_EQ(h.value("DataReg").toString(), stored(on));
        EXPECT_EQ(h.value("Segno").toString(), "-");
        EXPECT_EQ(h.value("Tipo").toString(), "S");
        EXPECT_EQ(h.value("idEsercizio").toString(), year());
        EXPECT_EQ(h.value("Origine").toString(), "D.D.T.");
        EXPECT_EQ(h.value("OrigDataReg").toString(), stored(sourceDate));
        EXPECT_EQ(h.value("OrigNumero").toString(), "3");
        EXPECT_EQ(h.value("OrigNumInt").toInt(), 3);
    }

    // Source rows 1, 3, 7 give lines 1, 2, 3 in that order.
    const QVector<QSqlRecord> lines = movementLines("SCA", 1);
    ASSERT_EQ(lines.size(), 3);
    const QStringList articles{"ART004", "ART007", "ART002"};
    const QList<double> quantities{25, 100, 6};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].value("Riga").toInt(), i + 1);
        EXPECT_EQ(lines[i].value("idArticolo").toString(), articles[i]);
        EXPECT_EQ(lines[i].value("Deposito").toString(), "DEP");
        EXPECT_EQ(lines[i].value("Quantita").toDouble(), quantities[i]);
        EXPECT_EQ(lines[i].value("DataReg").toString(), stored(on));
    }

    // The next movement of the reason takes the next number; VEN goes on from its demo movement.
    EXPECT_EQ(post("SCA", 3, sourceDate, typedDate(on), kind), 2);
    QString venKind;
    EXPECT_EQ(post("VEN", 1, request(1, 1, 1).sourceDataReg, typedDate(on), venKind), 2);
    EXPECT_EQ(venKind, "V");
}

TEST_F(Movement, CreatedDocumentCarriesTheMovementKeys)
{
    CreationRequest r = request(2, 5, 1);
    r.movementRequested = true;
    r.movementDate = typedDate(platform.todayDate);
    r.movementReason = "SCA";
    r.reasonKind = "S";
    const CreationResult result = create(r);
    ASSERT_EQ(result.status, CreationResult::Status::Created) << detailOf(result).toStdString();
    EXPECT_EQ(result.movementNumber, 1);
    const QSqlRecord created = header("DDTTes", platform.todayDate, result.newNumber);
    EXPECT_EQ(created.value("MMDataReg").toString(), stored(platform.todayDate));
    EXPECT_EQ(created.value("MMidCausaleDoc").toString(), "SCA");
    EXPECT_EQ(created.value("MMNumInt").toInt(), 1);
    EXPECT_EQ(movementLines("SCA", 1).size(), 3);
}

TEST_F(Movement, NoMovementWithoutTheRequest)
{
    const int before = count("SELECT Count(*) FROM MovMagTes");
    const CreationResult result = create(request(2, 5, 1));
    ASSERT_EQ(result.status, CreationResult::Status::Created);
    EXPECT_EQ(result.movementNumber, 0);
    EXPECT_EQ(count("SELECT Count(*) FROM MovMagTes"), before);
    const QSqlRecord created = header("DDTTes", platform.todayDate, result.newNumber);
    EXPECT_TRUE(created.value("MMDataReg").isNull());
    EXPECT_TRUE(created.value("MMidCausaleDoc").isNull());
    EXPECT_TRUE(created.value("MMNumInt").isNull());
}

} // namespace
