// Document and movement numbers come from the numerators of the company archive.
#include "creation_fixture.h"

#include <QSqlQuery>

namespace {

class Numbering : public CreationTest
{
protected:
    qint32 next(const QString& code, const QString& table, const QString& fiscalYear = {})
    {
        return base->NextDocumentNumber("*", code, fiscalYear.isEmpty() ? year() : fiscalYear, 0, "", table, -1, 1);
    }
    QVariant numerator(const QString& kind, const QString& code, const QString& column, const QString& fiscalYear = {})
    {
        JetQuery q;
        q << "SELECT " << Jet::identifier(column) << " FROM Numeratori WHERE idTipo=" << Jet::text(kind)
          << " AND idCodice=" << Jet::text(code) << " AND idEsercizio=" << Jet::text(fiscalYear.isEmpty() ? year() : fiscalYear);
        return scalar(q);
    }
    void setLast(const QString& kind, const QString& code, int last)
    {
        db.execute(JetQuery("UPDATE Numeratori SET Progressivo=") << Jet::number(last) << " WHERE idTipo="
                                                                   << Jet::text(kind) << " AND idCodice="
                                                                   << Jet::text(code));
    }
};

TEST_F(Numbering, AnExistingNumeratorAdvances)
{
    EXPECT_EQ(next("DDT", "DDTTes"), 4);
    EXPECT_EQ(next("ddt", "DDTTes"), 5);
    EXPECT_EQ(numerator("*", "DDT", "Progressivo").toInt(), 5);
    // Each fiscal year has its own numbering.
    const QString previous = QString::number(year().toInt() - 1);
    EXPECT_EQ(next("DDT", "DDTTes", previous), 16);
    EXPECT_EQ(numerator("*", "DDT", "Progressivo").toInt(), 5);
}

TEST_F(Numbering, AMissingNumeratorIsCreatedForItsTable)
{
    EXPECT_EQ(next("FATAC", "FATACTes"), 1);
    EXPECT_EQ(numerator("*", "FATAC", "Progressivo").toInt(), 1);
    EXPECT_EQ(numerator("*", "FATAC", "TabellaContr").toString(), "FATACTes");
    EXPECT_FALSE(numerator("*", "FATAC", "Desc").toString().isEmpty());
    EXPECT_EQ(next("FATAC", "FATACTes"), 2);
}

TEST_F(Numbering, NeverGivesANumberThatDocumentsOfTheYearAlreadyCarry)
{
    // The highest DDT of this year is 3; last year's 15 does not count.
    setLast("*", "DDT", 0);
    EXPECT_EQ(next("DDT", "DDTTes"), 4);
    // Quotations 1 and 2 exist although their numerator is gone.
    db.execute(JetQuery("DELETE * FROM Numeratori WHERE idCodice='PREV'"));
    EXPECT_EQ(next("PREV", "PREVTes"), 3);
    EXPECT_EQ(numerator("*", "PREV", "TabellaContr").toString(), "PREVTes");
}

TEST_F(Numbering, ReasonNumeratorsCountOnlyTheirReason)
{
    // Movement VEN 1 exists; SCA has none.
    setLast("M", "VEN", 0);
    EXPECT_EQ(base->NextDocumentNumber("M", "VEN", year(), 0, "", "MovMagTes", -1, 1), 2);
    EXPECT_EQ(base->NextDocumentNumber("M", "SCA", year(), 0, "", "MovMagTes", -1, 1), 1);
    EXPECT_EQ(numerator("M", "SCA", "TabellaContr").toString(), "MovMagTes");
}

} // namespace
