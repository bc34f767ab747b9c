// Document and movement numbers come from the numerators of the company archive; a movement
// posted with a document has one line per source row.
#include "creation_fixture.h"

namespace {

using Numbering = CreationTest;

// One archive, numbers taken one after another: this year's delivery notes reach 3 and their
// numerator 3, last year's 15; quotations 1 and 2 exist; movement VEN 1 exists.
TEST_F(Numbering, EachNumeratorGivesTheNextNumberNeverOneThatDocumentsAlreadyCarry)
{
    const struct
    {
        const char* what;
        const char *kind, *code, *table;
        int yearsBack;
        const char* before;  // run on the archive first
        qint32 number;
        const char* description;  // as the numerators screen shows it; a created one names itself
    } steps[] = {
        {"an existing numerator advances", "*", "DDT", "DDTTes", 0, nullptr, 4, "Documenti di trasporto"},
        {"a code in another case is the same numerator", "*", "ddt", "DDTTes", 0, nullptr, 5, "Documenti di trasporto"},
        {"each fiscal year has its own numbering", "*", "DDT", "DDTTes", 1, nullptr, 16, "Documenti di trasporto"},
        {"a missing numerator is created for its table", "*", "FATAC", "FATACTes", 0, nullptr, 1, "Fatture di acquisto"},
        {"a numerator behind this year's documents goes past them", "*", "DDT", "DDTTes", 0,
         "UPDATE Numeratori SET Progressivo = 0 WHERE idCodice = 'DDT'", 4, "Documenti di trasporto"},
        {"documents count without their numerator too", "*", "PREV", "PREVTes", 0,
         "DELETE FROM Numeratori WHERE idCodice = 'PREV'", 3, "Preventivi"},
        {"a reason's numerator counts only its reason's movements", "M", "VEN", "MovMagTes", 0,
         "UPDATE Numeratori SET Progressivo = 0 WHERE idTipo = 'M' AND idCodice = 'VEN'", 2,
         "Movimenti di magazzino per vendita"},
        {"a reason without movements starts at one", "M", "SCA", "MovMagTes", 0, nullptr, 1, "Movimenti di magazzino causale SCA"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.before) db.run(QString::fromLatin1(s.before));
        const QString fiscalYear = QString::number(year().toInt() - s.yearsBack);
        EXPECT_EQ(base->NextDocumentNumber(s.kind, s.code, fiscalYear, 0, "", s.table, -1, 1), s.number);
        EXPECT_EQ(folder.rows("data.mdb", QStringLiteral("SELECT Progressivo, TabellaContr, \"Desc\" FROM Numeratori WHERE idTipo = '%1' "
                                                         "AND idCodice = '%2' AND idEsercizio = '%3'")
                                              .arg(s.kind, QString::fromLatin1(s.code).toUpper(), fiscalYear)),
                  QStringList{QStringLiteral("%1|%2|%3").arg(s.number).arg(s.table, s.description)});
    }
}

using Movement = CreationTest;

TEST_F(Movement, RecordsOneLinePerSourceRowUnderTheReasonsNextNumber)
{
    const QDate on(year().toInt(), 6, 30);
    QString kind;
    // Posts the movement of a demo delivery note; its number, and the reason's kind in kind.
    const auto post = [&](const QString& reason, qint32 sourceNumInt) {
        qint32 number = -5;
        kind.clear();
        QString rowsTable = "DDTRig";
        base->PostStockMovement(nullptr, "D.D.T.", typedDate(request(1, 1, sourceNumInt).sourceDataReg),
                                QString::number(sourceNumInt), typedDate(on), reason, number, kind, rowsTable,
                                nullptr, nullptr, -1, sourceNumInt);
        return number;
    };
    const QDate sourceDate = request(1, 1, 3).sourceDataReg;
    EXPECT_EQ(post("sca", 3), 1);
    EXPECT_EQ(kind, "S");

    EXPECT_EQ(folder.rows("data.mdb", "SELECT DataReg, Segno, Tipo, idEsercizio, Origine, OrigDataReg, OrigNumero, "
                                      "OrigNumInt FROM MovMagTes WHERE idCausale = 'SCA' AND NumInt = 1"),
              QStringList(QStringList{stored(on), "-", "S", year(), "D.D.T.", stored(sourceDate), "3", "3"}.join('|')));
    // Source rows 1, 3, 7 give lines 1, 2, 3 in that order, with their prices.
    EXPECT_EQ(folder.rows("data.mdb", "SELECT Riga, idArticolo, Deposito, Quantita, PUnitEuro, DataReg FROM MovMagRig "
                                      "WHERE idCausale = 'SCA' AND NumInt = 1 ORDER BY Riga"),
              (QStringList{"1|ART004|DEP|25|3.72|" + stored(on), "2|ART007|DEP|100|0.62|" + stored(on),
                           "3|ART002|DEP|6|3.36|" + stored(on)}));

    // The next movement of the reason takes the next number; VEN goes on from its demo movement.
    EXPECT_EQ(post("SCA", 3), 2);
    EXPECT_EQ(post("VEN", 1), 2);
    EXPECT_EQ(kind, "V");
}

} // namespace
