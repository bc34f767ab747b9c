// The localities screen: states, their provinces and their postal codes in three grids, each row
// written when the user leaves it.
#include "mainwindow/mainwindowfixture.h"

#include <QTableView>

namespace {

class Localities : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        s = open("BLoc", "Localita");
    }

    QTableView* grid(const char* name) { return ui::find<QTableView>(s, name); }
    int adding(const char* name) { return grid(name)->model()->rowCount() - 1; }
    void select(const char* name, int row, int column = 0)
    {
        grid(name)->setCurrentIndex(grid(name)->model()->index(row, column));
        ui::settle();
    }
    // Types into a cell as a user does: the first key opens the editor, the rest go into it.
    void typeInCell(const char* name, int row, int column, const QString& text, Qt::Key end = Qt::Key_Return)
    {
        select(name, row, column);
        QTest::keyClick(grid(name), text.at(0).toLatin1());
        ui::settle();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(editor && grid(name)->isAncestorOf(editor)) << "no editor opened in " << name;
        for (QChar c : text.mid(1))  // accented letters too, which keyClicks cannot send
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(editor, end);
        ui::settle();
    }
    // Types a code and a description into a row, then leaves it for the first row.
    void typeRow(const char* name, int row, const QString& code, const QString& description)
    {
        typeInCell(name, row, 0, code);
        typeInCell(name, row, 1, description);
        select(name, 0);
    }
    QStringList column(const char* name, int column)
    {
        QStringList out;
        for (int r = 0; r < grid(name)->model()->rowCount(); ++r)
            out << grid(name)->model()->index(r, column).data().toString();
        return out;
    }

    QWidget* s = nullptr;
};

TEST_F(Localities, ProvincesAndPostalCodesFollowTheirStateAndProvinceAndItsNewCode)
{
    EXPECT_EQ(column("TStati", 0), QStringList({"IT", "FR", "DE", "CH", "SM", ""}));
    select("TPV", 2);
    EXPECT_EQ(column("TCAP", 1), QStringList({"TORINO", "MONCALIERI", ""}));
    select("TStati", 3);  // its province and postal code below it
    EXPECT_EQ(changedFrom("BLoc-Svizzera", s), QString());
    select("TStati", 1);  // France has no provinces: only the adding row, and no postal codes
    EXPECT_EQ(column("TPV", 0), QStringList({""}));
    EXPECT_EQ(grid("TCAP")->model()->rowCount(), 0);
    select("TStati", adding("TStati"));
    EXPECT_EQ(grid("TPV")->model()->rowCount(), 0);

    // A new code of a state or province is carried to what belongs to it.
    typeInCell("TStati", 3, 0, "cx");  // Switzerland
    select("TStati", 0);
    select("TStati", 3);
    EXPECT_EQ(column("TPV", 0), QStringList({"TI", ""}));
    typeInCell("TPV", 0, 0, "tx");
    select("TPV", adding("TPV"));
    EXPECT_EQ(rows("SELECT id, idStato FROM Provincie WHERE Descrizione = 'CANTON TICINO'"), QStringList{"TX|CX"});
    EXPECT_EQ(rows("SELECT idStato, idProvincia FROM CAP WHERE CAP = '6900'"), QStringList{"CX|TX"});
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
}

TEST_F(Localities, RowsAreWrittenInCapitalsUnderTheirStateAndProvinceOnLeavingThem)
{
    const int como = adding("TPV");
    typeInCell("TPV", como, 0, "co");
    typeInCell("TPV", como, 1, " como  ");
    EXPECT_TRUE(rows("SELECT id FROM Provincie WHERE id = 'CO'").isEmpty()) << "written only on leaving the row";
    select("TPV", 0);
    EXPECT_EQ(rows("SELECT id, Descrizione, idStato FROM Provincie WHERE id = 'CO'"), QStringList({"CO|COMO|IT"}));

    select("TPV", como);
    typeInCell("TCAP", 0, 0, "22100");
    typeInCell("TCAP", 0, 1, "como città");
    select("TCAP", 1);
    EXPECT_EQ(rows("SELECT CAP, Descrizione, idStato, idProvincia FROM CAP WHERE CAP = '22100'"),
              QStringList({"22100|COMO CITTÀ|IT|CO"}));
    typeInCell("TStati", 1, 1, "république française");
    select("TStati", 0);
    EXPECT_EQ(rows("SELECT Descrizione FROM Stati WHERE id = 'FR'"), QStringList({"RÉPUBLIQUE FRANÇAISE"}));

    // The only row of an empty list, or a new one under others, is left by a key or a click that leaves
    // a row, or by Tab out of its last cell.
    const struct { const char* name; std::function<void(QTableView*)> leave; Qt::Key end = Qt::Key_Return; int state = 1; } ways[] = {
        {"Tab out of the last cell", [](QTableView*) {}, Qt::Key_Tab},
        {"Down", [](QTableView* g) { QTest::keyClick(g, Qt::Key_Down); }},
        {"Down under other rows", [](QTableView* g) { QTest::keyClick(g, Qt::Key_Down); }, Qt::Key_Return, 3},
        {"click below the rows",
         [](QTableView* g) { QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(5, g->viewport()->height() - 3)); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        select("TStati", way.state);
        const int row = adding("TPV");
        typeInCell("TPV", row, 0, "pa");
        typeInCell("TPV", row, 1, "parigi", way.end);
        way.leave(grid("TPV"));
        ui::settle();
        EXPECT_EQ(rows("SELECT id, Descrizione, idStato FROM Provincie WHERE id = 'PA'"), QStringList({"PA|PARIGI|" + column("TStati", 0)[way.state]}));
        EXPECT_EQ(grid("TCAP")->model()->rowCount(), 1) << "the province written is the current one: its postal codes are shown";
        program.exec("data.mdb", "DELETE FROM Provincie WHERE id = 'PA'");
        select("TStati", 0);
    }
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
}

TEST_F(Localities, RefusedRowsAreSaidAndKeptAsTyped)
{
    const int row = adding("TPV");
    typeRow("TPV", row, "ti", "tivoli");  // Canton Ticino's code: unique in the whole archive
    EXPECT_EQ(messages(), QStringList{"MESSAGE|critical|ok|Brevano V|Codice Provincia Duplicato"});
    EXPECT_EQ(grid("TPV")->currentIndex().row(), row) << "the grid stays on the refused row";
    EXPECT_EQ(grid("TPV")->model()->index(row, 1).data().toString(), "tivoli");
    typeInCell("TPV", row, 0, "tv");
    select("TPV", 0);
    EXPECT_EQ(rows("SELECT id, Descrizione FROM Provincie WHERE id = 'TV'"), QStringList({"TV|TIVOLI"}));

    typeRow("TPV", adding("TPV"), "zz", "  ");  // spaces alone are no description
    EXPECT_EQ(platform.lastText(), "Inserire Entrambi i Campi");
    EXPECT_TRUE(rows("SELECT id FROM Provincie WHERE id = 'ZZ'").isEmpty());
    grid("TStati")->setFocus(Qt::MouseFocusReason);  // turning to another grid drops the refused row
    select("TStati", 0);
    EXPECT_EQ(column("TPV", 0).last(), "");

    typeInCell("TStati", 0, 0, "fr");
    select("TStati", 2);
    EXPECT_EQ(platform.lastText(), "Codice Stato Duplicato");
    EXPECT_EQ(rows("SELECT count(*) FROM Stati WHERE id = 'IT'"), QStringList({"1"}));
    grid("TPV")->setFocus(Qt::MouseFocusReason);
    select("TStati", 0);
    select("TPV", 0);

    // Many towns share a postal code; only the same town again is a duplicate.
    platform.clear();
    typeRow("TCAP", adding("TCAP"), "20090", "assago");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    typeRow("TCAP", adding("TCAP"), "20090", "segrate");
    EXPECT_EQ(platform.lastText(), "Codice Cap Duplicato");
    EXPECT_EQ(rows("SELECT Descrizione FROM CAP WHERE CAP = '20090' ORDER BY Descrizione"), QStringList({"ASSAGO", "SEGRATE"}));
}

// Turning to another grid, by the mouse or from the keyboard, drops the row being typed in the
// grid left, a new one or the first one changed, and its lock; the grid turned to keeps its rows.
TEST_F(Localities, TurningToAnotherGridDropsTheRowBeingTypedInTheOneLeft)
{
    const struct { const char *left, *reached; int row, column; std::function<void()> turn; } turns[] = {
        {"TStati", "TCAP", -1, 0, [this] { QTest::mouseClick(grid("TCAP")->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }},
        {"TStati", "TPV", -1, 0, [this] { QTest::keyClick(grid("TStati"), Qt::Key_Tab, Qt::ControlModifier); }},
        {"TPV", "TStati", -1, 0, [this] { QTest::keyClick(grid("TPV"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }},
        {"TStati", "TPV", 0, 1, [this] { QTest::keyClick(grid("TStati"), Qt::Key_Tab, Qt::ControlModifier); }},
    };
    for (const auto& t : turns) {
        SCOPED_TRACE(t.left);
        select("TStati", 0);
        const QStringList left = column(t.left, t.column);
        typeInCell(t.left, t.row < 0 ? adding(t.left) : t.row, t.column, "zq");
        const QStringList reached = column(t.reached, 0);
        t.turn();
        ui::settle();
        EXPECT_EQ(QApplication::focusWidget(), grid(t.reached));
        EXPECT_EQ(column(t.left, t.column), left);
        EXPECT_EQ(column(t.reached, 0), reached);
        EXPECT_EQ(program.lockHolders(), QStringList());
    }
    select("TStati", 0, 1);  // a cell opened to be typed and left with nothing typed keeps no lock either
    QTest::keyClick(grid("TStati"), Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(program.lockHolders(), QStringList());
    EXPECT_TRUE(rows("SELECT id FROM Stati WHERE id = 'ZQ' OR Descrizione = 'ZQ' UNION SELECT id FROM Provincie WHERE id = 'ZQ'").isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
}

TEST_F(Localities, LeavingTheScreenWithAPendingRowAsksOrWarnsAndWritesNothing)
{
    typeInCell("TCAP", adding("TCAP"), 0, "20100");
    platform.answers.enqueue(Platform::Answer::No);
    press(s, "BEsci");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Brevano V|Dati in Modifica. Uscire comunque ?"});
    ASSERT_EQ(screen("Localita"), s);
    press(s, "BEsci");  // answered Yes
    EXPECT_TRUE(!screen("Localita") && rows("SELECT CAP FROM CAP WHERE CAP = '20100'").isEmpty());

    platform.clear();
    s = open("BLoc", "Localita");
    typeInCell("TStati", adding("TStati"), 0, "AT");
    closeScreen(s);
    EXPECT_FALSE(screen("Localita"));
    EXPECT_EQ(messages(), QStringList{"MESSAGE|information|ok|Brevano V|Dati in Modifica, le Modifiche verranno Perse"});
    EXPECT_TRUE(rows("SELECT id FROM Stati WHERE id = 'AT'").isEmpty());
}

} // namespace
