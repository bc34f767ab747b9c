#include "documents/sourcelist.h"
#include "support/programfolder.h"
#include "common/transaction.h"

#include <gtest/gtest.h>

namespace {

const QDate From{2041, 3, 1};
const QDate To{2041, 12, 31};

class SourceList : public ::testing::Test
{
protected:
    void SetUp() override { db = Database::open(folder.dataDb(), ProgramFolder::connectString()); }

    void addDdt(const QDate& date, int numInt)
    {
        db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idCliente) VALUES (")
                   << Jet::date(date) << ", " << Jet::number(numInt) << ", " << Jet::number(numInt) << ", "
                   << Jet::text("VEN") << ", 1)");
    }

    ProgramFolder folder;
    Database db;
};

TEST_F(SourceList, LongListIsReadPageByPageWithoutHoldingTheArchive)
{
    const int count = SourceListModel::PageSize * 2 + 17;
    inImmediateTransaction(db, [&] {
        // Many documents share a day, so pages continue inside one date.
        for (int n = 1; n <= count; ++n) addDdt(QDate(2041, 4, 1).addDays(n / 150), n);
    });
    SourceListModel model;
    model.open(db, {SourceKind::DeliveryNote, From, To});
    EXPECT_EQ(model.rowCount(), SourceListModel::PageSize);
    ASSERT_TRUE(model.canFetchMore());

    // Another workstation writes while the list is on screen.
    Database other = Database::open(folder.dataDb(), ProgramFolder::connectString());
    EXPECT_NO_THROW(inImmediateTransaction(other, [&] {
        other.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero) VALUES (")
                      << Jet::date(QDate(2041, 3, 2)) << ", 9000, 9000)");
    }));

    while (model.canFetchMore()) model.fetchMore();
    ASSERT_EQ(model.rowCount(), count);
    for (int r = 0; r < count; ++r) ASSERT_EQ(model.value(r, "NumInt").toInt(), r + 1);

    // A new reading shows what the other workstation wrote.
    model.open(db, {SourceKind::DeliveryNote, From, To});
    EXPECT_EQ(model.value(0, "NumInt").toInt(), 9000);
}

} // namespace
