// Document and movement numbers come from the numerators of the company archive.
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
    } steps[] = {
        {"an existing numerator advances", "*", "DDT", "DDTTes", 0, nullptr, 4},
        {"a code in another case is the same numerator", "*", "ddt", "DDTTes", 0, nullptr, 5},
        {"each fiscal year has its own numbering", "*", "DDT", "DDTTes", 1, nullptr, 16},
        {"a missing numerator is created for its table", "*", "FATAC", "FATACTes", 0, nullptr, 1},
        {"and then advances", "*", "FATAC", "FATACTes", 0, nullptr, 2},
        {"a numerator behind this year's documents goes past them", "*", "DDT", "DDTTes", 0,
         "UPDATE Numeratori SET Progressivo = 0 WHERE idCodice = 'DDT'", 4},
        {"documents count without their numerator too", "*", "PREV", "PREVTes", 0,
         "DELETE FROM Numeratori WHERE idCodice = 'PREV'", 3},
        {"a reason's numerator counts only its reason's movements", "M", "VEN", "MovMagTes", 0,
         "UPDATE Numeratori SET Progressivo = 0 WHERE idTipo = 'M' AND idCodice = 'VEN'", 2},
        {"a reason without movements starts at one", "M", "SCA", "MovMagTes", 0, nullptr, 1},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.before)
            db.run(QString::fromLatin1(s.before));
        const QString fiscalYear = QString::number(year().toInt() - s.yearsBack);
        EXPECT_EQ(base->NextDocumentNumber(s.kind, s.code, fiscalYear, 0, "", s.table, -1, 1), s.number);
        EXPECT_EQ(folder.rows("data.mdb", QStringLiteral("SELECT Progressivo, TabellaContr FROM Numeratori WHERE idTipo = '%1' "
                                                         "AND idCodice = '%2' AND idEsercizio = '%3'")
                                              .arg(s.kind, QString::fromLatin1(s.code).toUpper(), fiscalYear)),
                  QStringList{QStringLiteral("%1|%2").arg(s.number).arg(s.table)});
    }
}

} // namespace
