// The module components' screens: documents with their rows, movements, stock, tables.
#include "componentsfixture.h"

#include "common/jetdate.h"
#include "components/base/recordsetmodel.h"
#include "components/modules/modulecomponent.h"

#include <QTableView>

class ModuleScreens : public ComponentsTest
{
protected:
    // Opens a module's screen from its menu command.
    QWidget* show(const char* command, const char* screenName) { return open(command, screenName); }

    static RecordsetModel* rows(QWidget* screen, const char* grid)
    {
        return static_cast<RecordsetModel*>(ui::find<QTableView>(screen, QString::fromLatin1(grid))->model());
    }
};

TEST_F(ModuleScreens, DeliveryNotesAreListedWithTheRowsOfTheOnePicked)
{
    QWidget* s = show("BDDT", "objddt");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Brevano V : D.D.T."));
    RecordsetModel* headers = rows(s, "TDBGTestate");
    ASSERT_EQ(headers->rowCount(), valueOf("SELECT COUNT(*) FROM DDTTes").toInt());
    // Totals in lire and in euro, as stored.
    const QDate date = storedDate(headers->value(0, QStringLiteral("DataReg")));
    const qint64 number = headers->value(0, QStringLiteral("NumInt")).toLongLong();
    JetQuery totals("SELECT TotDDTLire, TotDDTLEURO FROM DDTTes WHERE DataReg = ");
    totals << Jet::date(date) << " AND NumInt = " << Jet::number(number);
    Rows stored = dataDb().select(totals);
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(headers->value(0, QStringLiteral("TotaleLire")), stored.value(0));
    EXPECT_EQ(headers->value(0, QStringLiteral("TotaleEuro")), stored.value(1));

    auto rowsOf = [&](int header) {
        JetQuery q("SELECT COUNT(*) FROM DDTRig WHERE DataReg = ");
        q << Jet::date(storedDate(headers->value(header, QStringLiteral("DataReg")))) << " AND NumInt = "
          << Jet::number(headers->value(header, QStringLiteral("NumInt")).toLongLong());
        Rows count = dataDb().select(q);
        count.next();
        return count.value(0).toInt();
    };
    RecordsetModel* details = rows(s, "TDBGRighe");
    EXPECT_EQ(details->rowCount(), rowsOf(0));
    EXPECT_FALSE(details->value(0, QStringLiteral("PUnitLit")).isNull());
    EXPECT_FALSE(details->value(0, QStringLiteral("PUnitEuro")).isNull());
    EXPECT_EQ(details->value(0, QStringLiteral("Riga")).toInt(), 1);

    ui::find<QTableView>(s, QStringLiteral("TDBGTestate"))->selectRow(1);
    EXPECT_EQ(details->rowCount(), rowsOf(1));
    EXPECT_NE(rowsOf(0), rowsOf(1));

    // Shown again: the same window.
    EXPECT_EQ(show("BDDT", "objddt"), s);
    EXPECT_EQ(workspace()->subWindowList().size(), 1);
}

TEST_F(ModuleScreens, PurchaseDocumentsShowTheirEuroTotals)
{
    dataDb().execute(JetQuery("INSERT INTO FATACTes (DataReg, NumInt, Numero, DSFor, TotFATACLire, TotFATACEURO) "
                              "VALUES ('2024-05-02', 7, 7, 'Fornitore di prova', 193627, 100)"));
    QWidget* s = show("BFATAC", "objFATAC");
    ASSERT_TRUE(s);
    RecordsetModel* headers = rows(s, "TDBGTestate");
    ASSERT_EQ(headers->rowCount(), 1);
    EXPECT_DOUBLE_EQ(headers->value(0, QStringLiteral("TotaleLire")).toDouble(), 193627);
    EXPECT_DOUBLE_EQ(headers->value(0, QStringLiteral("TotaleEuro")).toDouble(), 100);
    EXPECT_EQ(headers->value(0, QStringLiteral("DSFor")).toString(), QStringLiteral("Fornitore di prova"));
    EXPECT_EQ(rows(s, "TDBGRighe")->rowCount(), 0);
}

TEST_F(ModuleScreens, ListsNameTheCustomerOrSupplierTheyCanHold)
{
    // A sale names its customer, a purchase its supplier; the statistics name customers by code.
    const struct
    {
        const char* command;
        const char* property;
        QStringList shown, absent;
    } lists[] = {
        {"BFATVE", "objFATVE", {"Cliente"}, {"Fornitore"}},
        {"BORDAC", "objORDAC", {"Fornitore"}, {"Cliente"}},
        {"BStat", "objgraf", {"Cliente", "Denominazione"}, {}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.property);
        QWidget* s = show(list.command, list.property);
        ASSERT_TRUE(s);
        auto* grid = ui::find<QTableView>(s, QStringLiteral("TDBGTestate"));
        QStringList headings;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (!grid->isColumnHidden(c))
                headings << grid->model()->headerData(c, Qt::Horizontal).toString();
        for (const QString& h : list.shown)
            EXPECT_TRUE(headings.contains(h)) << h.toStdString();
        for (const QString& h : list.absent)
            EXPECT_FALSE(headings.contains(h)) << h.toStdString();
    }
    RecordsetModel* customers = rows(show("BStat", "objgraf"), "TDBGTestate");
    ASSERT_GT(customers->rowCount(), 0);
    const QString code = customers->value(0, QStringLiteral("Codice")).toString();
    EXPECT_EQ(valueOf("SELECT Denominazione FROM Clienti WHERE Codice = ", code).toString(),
              customers->value(0, QStringLiteral("Denominazione")).toString());
}

TEST_F(ModuleScreens, MovementsAndStockComeFromTheWarehouseMovements)
{
    QWidget* movements = show("BMovMaga", "objmovmaga");
    ASSERT_TRUE(movements);
    EXPECT_EQ(rows(movements, "TDBGTestate")->rowCount(), valueOf("SELECT COUNT(*) FROM MovMagTes").toInt());
    EXPECT_EQ(rows(movements, "TDBGRighe")->rowCount(), 3);

    QWidget* stock = show("BGiacArt", "objgiacenze");
    ASSERT_TRUE(stock);
    RecordsetModel* items = rows(stock, "TDBGTestate");
    bool found = false;
    for (int r = 0; r < items->rowCount(); ++r) {
        if (items->value(r, QStringLiteral("Articolo")).toString() == QLatin1String("ART001")) {
            found = true;
            EXPECT_DOUBLE_EQ(items->value(r, QStringLiteral("Giacenza")).toDouble(), -10);
            EXPECT_EQ(items->value(r, QStringLiteral("Deposito")).toString(), QStringLiteral("DEP"));
        }
    }
    EXPECT_TRUE(found);

    QWidget* inventory = show("BInventa", "objinventario");
    ASSERT_TRUE(inventory);
    EXPECT_DOUBLE_EQ(rows(inventory, "TDBGTestate")->value(0, QStringLiteral("ValoreLire")).toDouble(), -10 * 11000.0);
}
