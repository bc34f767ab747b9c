#include "documents/documentrecords.h"
#include "support/programfolder.h"

#include <gtest/gtest.h>

namespace {

class DocumentRecords : public ::testing::Test
{
protected:
    void SetUp() override { db = Database::open(folder.dataDb(), ProgramFolder::connectString()); }

    void addHeader(const QDate& date, int numInt)
    {
        db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero) VALUES (")
                   << Jet::date(date) << ", " << Jet::number(numInt) << ", " << Jet::number(numInt) << ")");
    }
    void addRow(const QDate& date, int numInt, int riga, const QString& description)
    {
        db.execute(JetQuery("INSERT INTO DDTRig (DataReg, NumInt, Riga, Descrizione) VALUES (")
                   << Jet::date(date) << ", " << Jet::number(numInt) << ", " << Jet::number(riga) << ", "
                   << Jet::text(description) << ")");
    }

    ProgramFolder folder;
    Database db;
    const QDate day{2041, 3, 5};
};

TEST_F(DocumentRecords, QueriesNameTheDocumentByDateAndInternalNumber)
{
    EXPECT_EQ(documentSelection("DDTTes", day, 2).jetText(),
              "SELECT * FROM DDTTes WHERE ((DDTTes.DataReg = #03/05/2041#) AND (DDTTes.NumInt = 2))");
    EXPECT_EQ(documentRowsSelection("DDTRig", day, 2).jetText(),
              "SELECT * FROM DDTRig WHERE ((DDTRig.DataReg = #03/05/2041#) AND (DDTRig.NumInt = 2)) ORDER BY DDTRig.Riga");
    EXPECT_EQ(emptySelection("FATVETes").jetText(), "SELECT * FROM FATVETes WHERE (FATVETes.NumInt = -1)");
    // Values are bound, never written into the statement.
    EXPECT_FALSE(documentSelection("DDTTes", day, 2).sqliteText().contains("2041"));
    EXPECT_THROW(documentSelection("DDTTes; DROP TABLE x", day, 2), DatabaseError);
}

TEST_F(DocumentRecords, OneDocumentAndItsRowsInRowOrder)
{
    addHeader(day, 7);
    addHeader(day.addDays(1), 7);   // same number, another day: another document
    addRow(day, 7, 3, "terza");
    addRow(day, 7, 1, "prima");
    addRow(day, 7, 2, "seconda");
    addRow(day.addDays(1), 7, 1, "altro documento");

    Recordset header = openDocumentHeader(db, "DDTTes", day, 7);
    ASSERT_EQ(header.RecordCount(), 1);
    EXPECT_EQ(header.value("DataReg").toString(), "2041-03-05");
    EXPECT_FALSE(header.updatable());

    Recordset rows = openDocumentRows(db, "DDTRig", day, 7);
    QStringList read;
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext())
        read << rows.value("Descrizione").toString();
    EXPECT_EQ(read, QStringList({"prima", "seconda", "terza"}));

    // A date that matches no header gives no header and no rows.
    EXPECT_EQ(openDocumentHeader(db, "DDTTes", day.addDays(2), 7).RecordCount(), 0);
    EXPECT_EQ(openDocumentRows(db, "DDTRig", day.addDays(2), 7).RecordCount(), 0);
    EXPECT_EQ(openDocumentHeader(db, "DDTTes", day, 8).RecordCount(), 0);
}

TEST_F(DocumentRecords, EmptyViewTakesNewRecords)
{
    Recordset view = openForAppend(db, "RESOTes");
    EXPECT_EQ(view.RecordCount(), 0);
    ASSERT_TRUE(view.updatable());
    view.AddNew();
    view.setValue("DataReg", day);
    view.setValue("NumInt", 4);
    view.setValue("Numero", 4);
    view.setValue("TotRESOLire", 19362.7);
    view.setValue("TotRESOLEURO", 10.0);
    view.Update();

    Recordset stored = openDocumentHeader(db, "RESOTes", day, 4);
    ASSERT_EQ(stored.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(stored.value("TotRESOLire").toDouble(), 19362.7);
    EXPECT_DOUBLE_EQ(stored.value("TotRESOLEURO").toDouble(), 10.0);
    EXPECT_EQ(openForAppend(db, "RESOTes").RecordCount(), 0);
}

} // namespace
