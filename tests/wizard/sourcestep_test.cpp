#include "wizardfixture.h"

#include <QFile>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

class SourceStep : public WizardTest
{
protected:
    QTableView* grid() const { return ui::find<QTableView>(wizard, "GridRic"); }
    int rows() const { return grid()->model()->rowCount(); }
    // What the grid shows under a heading, row by row (nothing when no column shows it).
    QStringList shown(const QString& heading) const
    {
        QStringList out;
        for (int c = 0; c < grid()->model()->columnCount(); ++c) {
            if (grid()->isColumnHidden(c) || grid()->model()->headerData(c, Qt::Horizontal).toString() != heading)
                continue;
            auto* delegate = static_cast<QStyledItemDelegate*>(grid()->itemDelegateForColumn(c));
            for (int row = 0; row < rows(); ++row) {
                const QVariant value = grid()->model()->index(row, c).data();
                out << (delegate ? delegate->displayText(value, QLocale()) : value.toString());
            }
        }
        return out;
    }
    void search(const QString& from, const QString& to)
    {
        ui::type(wizard, "RicDT1", from);
        ui::type(wizard, "RicDT2", to);
        ui::click(wizard, "CMDRic");
    }
};

// The documents of this month to the end of the year, or of the range searched; the summary names the one chosen.
TEST_F(SourceStep, ListsTheDocumentsOfTheRangeAndNamesTheOneChosen)
{
    addDdt({2041, 3, 1}, 2, 99);   // its customer is missing
    addDdt({2041, 2, 28}, 1, 1);
    addDdt({2041, 12, 31}, 4, 2);
    addDdt({2041, 3, 1}, 3, 1);
    addDdt({2042, 1, 1}, 5, 1);
    addDdt({2041, 3, 11}, 6, 1);
    addDdt({2041, 3, 11}, 7, 2);
    open();
    toStep3("Bolla di Reso", "D.D.T.");  // the range and the first row chosen: see the snapshot
    EXPECT_EQ(shown("Numero"), (QStringList{"2", "3", "6", "7", "4"}));
    EXPECT_EQ(shown("Data Reg.").value(4) + "|" + shown("Totale Lire").value(4) + "|" + shown("Totale Euro").value(4),
              "31/12/2041|193.627|100,00");
    EXPECT_EQ(changedFrom("AutoComp-3", wizard), QString());

    search("11032041", "11032041");
    EXPECT_EQ(status("ErrBarRic"), "");
    EXPECT_EQ(shown("Numero"), (QStringList{"6", "7"}));

    // A refused range selects the date to correct and keeps the list.
    const struct { const char *from, *to, *refusal, *field; } refused[] = {
        {"12032041", "11032041", "Errore : Data Inizio Richiesta > Data Fine Richiesta", "RicDT1"},
        {"01032041", "", "Errore : Data Richiesta Errata", "RicDT2"}, {"", "1", "Errore : Data Richiesta Errata", "RicDT1"}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.from);
        search(r.from, r.to);
        EXPECT_EQ(status("ErrBarRic"), r.refusal);
        EXPECT_EQ(focused(), r.field);
        auto* field = ui::find<QLineEdit>(wizard, r.field);
        EXPECT_EQ(field->selectedText(), field->displayText());
        EXPECT_EQ(rows(), 2);
    }
    // A range without documents cannot go on.
    search("01012040", "31012040");
    ASSERT_EQ(rows(), 0);
    ui::click(wizard, "CMD9");
    EXPECT_EQ(status("ErrBarRic"), "Nessun Documento da Elaborare....");
    EXPECT_EQ(wizard->CurrentPage, 4);

    // Leaving step 2 again offers the default range anew.
    ui::click(wizard, "CMD10");
    ui::click(wizard, "CMD7");
    EXPECT_EQ(status("ErrBarRic"), "");
    ASSERT_EQ(rows(), 5);
    grid()->selectRow(3);
    ui::click(wizard, "CMD9");
    EXPECT_EQ(wizard->CurrentPage, 5);
    EXPECT_EQ(texts({"LBL_1", "LBL_2", "LBL_3", "LBL_5"}), "D.D.T.|Del    : 11/03/2041|Numero : 7|Bolla di Reso");

    // A damaged layout file leaves the list in its plain columns, the list whole.
    ui::click(wizard, "CMD13");
    for (const QByteArray& damaged : {QByteArray("{\"AutoDDT\": 5}"), QByteArray("non è un elenco")}) {
        SCOPED_TRACE(damaged.constData());
        QFile layout(program.file("Layout.grx"));
        ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
        layout.write(damaged);
        layout.close();
        ui::click(wizard, "CMD10");
        ui::click(wizard, "CMD7");
        EXPECT_EQ(shown("Numero"), (QStringList{"2", "3", "6", "7", "4"}));
    }
    // A list that cannot be read is said, not shown empty.
    program.exec("data.mdb", "ALTER TABLE DDTTes RENAME TO DDTTesVecchia");
    ui::click(wizard, "CMD10");
    ui::click(wizard, "CMD7");
    EXPECT_TRUE(platform.lastText().startsWith("Operazione non riuscita sull'archivio '" + program.dataDb() + "'."));
}

} // namespace
