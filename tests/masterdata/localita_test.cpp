#include "components/base/baseclass.h"
#include "common/database.h"
#include "common/datacontrol.h"
#include "masterdata/localita.h"
#include "masterdata/localitagrid.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A base component whose text filter drops '#', to see that code columns pass through it.
class HashDroppingBase : public BaseClass
{
public:
    QChar FilterTextKey(QChar key) override { return key == u'#' ? QChar() : BaseClass::FilterTextKey(key); }
};

class LocalitaTest : public ::testing::Test
{
protected:
    void SetUp() override { open(folder.makeBase()); }
    void TearDown() override { delete screen.data(); }

    void open(std::unique_ptr<BaseClass> withBase)
    {
        delete screen.data();
        base = std::move(withBase);
        screen = new Localita(base.get());
        ASSERT_TRUE(screen->openScreen());
    }

    LocalitaGrid* grid(const QString& name) { return ui::find<LocalitaGrid>(screen, name); }
    DataControl* data(const QString& name) { return screen->findChild<DataControl*>(name); }

    void select(const QString& name, int row, int column = 0)
    {
        LocalitaGrid* g = grid(name);
        g->setCurrentIndex(g->model()->index(row, column));
    }

    int addRow(const QString& name) { return grid(name)->gridModel()->recordCount(); }

    // Types into a cell as a user does: the first key opens the editor, the rest go into it.
    void typeInCell(const QString& name, int row, int column, const QString& text)
    {
        LocalitaGrid* g = grid(name);
        select(name, row, column);
        QTest::keyClick(g, text.at(0).toLatin1());
        ui::settle();
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : g->viewport()->findChildren<QLineEdit*>())
            if (e->isVisibleTo(g))
                editor = e;
        ASSERT_NE(editor, nullptr) << "no editor opened in " << name.toStdString();
        for (QChar c : text.mid(1))  // accented letters too, which keyClicks cannot send
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(editor, Qt::Key_Return);
        ui::settle();
    }

    QStringList column(const QString& name, int column)
    {
        QStringList out;
        QAbstractItemModel* m = grid(name)->model();
        for (int r = 0; r < grid(name)->gridModel()->recordCount(); ++r)
            out << m->index(r, column).data().toString();
        return out;
    }

    void turnTo(const QString& name)
    {
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(grid(name), &focus);
    }

    // The archive's rows for a selection, each as "a|b|c".
    QStringList archive(const JetQuery& query)
    {
        Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
        Rows q = db.select(query);
        QStringList rows;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            rows << values.join(u'|');
        }
        return rows;
    }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base;
    QPointer<Localita> screen;
};

TEST_F(LocalitaTest, OpensOnTheFirstStateWithItsProvincesAndPostalCodes)
{
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Brevano V: Località geografiche"));
    EXPECT_EQ(ui::text(screen, "TStatiCaption"), QStringLiteral("STATI"));
    EXPECT_EQ(ui::text(screen, "TPVCaption"), QStringLiteral("PROVINCIE"));
    EXPECT_EQ(ui::text(screen, "TCAPCaption"), QStringLiteral("C.A.P."));
    const std::pair<const char*, QStringList> headings[] = {
        {"TStati", {"Stato", "Nome Stato"}},
        {"TPV", {"Prov.", "Nome Provincia"}},
        {"TCAP", {"C.A.P.", "Nome Località"}},
    };
    for (const auto& [name, expected] : headings) {
        QStringList shown;
        for (int c = 0; c < grid(name)->model()->columnCount(); ++c)
            shown << grid(name)->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(shown, expected) << name;
    }
    EXPECT_EQ(ui::text(screen, "BEsci"), QStringLiteral("   Esci   "));
    ASSERT_NE(screen->findChild<QObject*>("TabToolbar"), nullptr);

    EXPECT_EQ(column("TStati", 0), QStringList({"IT", "FR", "DE", "CH", "SM"}));
    EXPECT_EQ(data("DataPV")->RecordSource.jetText(), QStringLiteral("Select * From Provincie Where idStato=\"IT\""));
    EXPECT_EQ(column("TPV", 1).first(), QStringLiteral("MILANO"));
    EXPECT_EQ(column("TPV", 0).size(), 7);
    EXPECT_EQ(data("DataCAP")->RecordSource.jetText(),
              QStringLiteral("Select * From CAP Where idStato=\"IT\" AND idProvincia=\"MI\""));
    EXPECT_EQ(column("TCAP", 0), QStringList({"20121", "20090"}));
}

TEST_F(LocalitaTest, CascadeFollowsTheChosenStateAndProvince)
{
    select("TPV", 2);  // TO
    EXPECT_EQ(column("TCAP", 1), QStringList({"TORINO", "MONCALIERI"}));

    select("TStati", 1);  // FR: no provinces
    EXPECT_EQ(grid("TPV")->gridModel()->recordCount(), 0);
    EXPECT_EQ(grid("TPV")->model()->rowCount(), 1) << "only the adding row";
    EXPECT_FALSE(data("DataCAP")->isOpen());
    EXPECT_EQ(grid("TCAP")->model()->rowCount(), 0);

    select("TStati", 3);  // CH
    EXPECT_EQ(column("TPV", 1), QStringList({"CANTON TICINO"}));
    EXPECT_EQ(column("TCAP", 1), QStringList({"LUGANO"}));

    // The adding row of the states: no state, so neither provinces nor postal codes.
    select("TStati", addRow("TStati"));
    EXPECT_FALSE(data("DataPV")->isOpen());
    EXPECT_EQ(grid("TPV")->model()->rowCount(), 0);
    EXPECT_EQ(grid("TCAP")->model()->rowCount(), 0);
}

TEST_F(LocalitaTest, PostalCodesRefuseTypingUntilAProvinceIsChosen)
{
    select("TPV", addRow("TPV"));  // past the last province
    EXPECT_EQ(grid("TCAP")->model()->rowCount(), 0);
    ui::key(screen, "TCAP", Qt::Key_A, "a");
    EXPECT_FALSE(grid("TCAP")->hasPendingEdit());

    // With a state but no province current the grid ignores every typed character.
    select("TPV", 0);
    select("TCAP", addRow("TCAP"));
    select("TPV", addRow("TPV"));
    EXPECT_FALSE(grid("TCAP")->keysAccepted());
    EXPECT_TRUE(grid("TPV")->keysAccepted());
    select("TStati", addRow("TStati"));
    EXPECT_FALSE(grid("TPV")->keysAccepted());
    EXPECT_TRUE(grid("TStati")->keysAccepted());
    EXPECT_TRUE(archive(JetQuery("SELECT CAP FROM CAP WHERE CAP = 'a'")).isEmpty());
}

TEST_F(LocalitaTest, NewRowsAreStoredInUpperCaseUnderTheCurrentStateAndProvince)
{
    typeInCell("TPV", addRow("TPV"), 0, "co");
    typeInCell("TPV", addRow("TPV"), 1, "como");
    EXPECT_TRUE(grid("TPV")->hasPendingEdit());
    EXPECT_TRUE(archive(JetQuery("SELECT id FROM Provincie WHERE id = 'co'")).isEmpty()) << "written only on leaving the row";
    select("TPV", 0);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(archive(JetQuery("SELECT id, Descrizione, idStato FROM Provincie WHERE id = 'co'")),
              QStringList({"CO|COMO|IT"}));
    EXPECT_EQ(column("TPV", 1).last(), QStringLiteral("COMO"));

    // A postal code of the new province, and a state renamed in lower case.
    select("TPV", addRow("TPV") - 1);
    typeInCell("TCAP", 0, 0, "22100");
    typeInCell("TCAP", 0, 1, "como città");
    select("TCAP", 1);
    EXPECT_EQ(archive(JetQuery("SELECT CAP, Descrizione, idStato, idProvincia FROM CAP WHERE CAP = '22100'")),
              QStringList({QStringLiteral("22100|COMO CITTÀ|IT|CO")}));

    typeInCell("TStati", 1, 1, "république française");
    select("TStati", 0);
    EXPECT_EQ(archive(JetQuery("SELECT Descrizione FROM Stati WHERE id = 'FR'")),
              QStringList({QStringLiteral("RÉPUBLIQUE FRANÇAISE")}));
}

TEST_F(LocalitaTest, TheOnlyRowOfAnEmptyListIsWrittenByTheKeysAndClicksThatLeaveARow)
{
    // France has no provinces: the adding row is the only row, there is no other to move to.
    const struct
    {
        const char* name;
        std::function<void(LocalitaGrid*)> leave;
    } ways[] = {
        {"Down", [](LocalitaGrid* g) { QTest::keyClick(g, Qt::Key_Down); }},
        {"Up", [](LocalitaGrid* g) { QTest::keyClick(g, Qt::Key_Up); }},
        {"Enter", [](LocalitaGrid* g) { QTest::keyClick(g, Qt::Key_Return); }},
        {"Tab", [](LocalitaGrid* g) { QTest::keyClick(g, Qt::Key_Tab); }},
        {"click below the rows", [](LocalitaGrid* g) { QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(5, g->viewport()->height() - 3)); }},
    };
    grid("TPV")->resize(300, 300);
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        select("TStati", 1);
        ASSERT_EQ(addRow("TPV"), 0);
        typeInCell("TPV", 0, 0, "pa");
        typeInCell("TPV", 0, 1, "parigi");
        way.leave(grid("TPV"));
        ui::settle();
        EXPECT_EQ(archive(JetQuery("SELECT id, Descrizione, idStato FROM Provincie WHERE id = 'PA'")),
                  QStringList({"PA|PARIGI|FR"}));
        EXPECT_FALSE(grid("TPV")->hasPendingEdit());
        Database::open(folder.dataDb(), ProgramFolder::connectString()).execute(JetQuery("DELETE FROM Provincie WHERE id = 'PA'"));
        select("TStati", 0);
    }
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(LocalitaTest, RefusedWritesShowTheirMessageAndKeepTheTypedRow)
{
    const int row = addRow("TPV");
    typeInCell("TPV", row, 0, "ti");  // Canton Ticino's code: unique in the whole archive
    typeInCell("TPV", row, 1, "tivoli");
    select("TPV", 0);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("Codice Provincia Duplicato"));
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    EXPECT_EQ(grid("TPV")->currentIndex().row(), row) << "the grid stays on the refused row";
    EXPECT_TRUE(grid("TPV")->hasPendingEdit());
    EXPECT_EQ(grid("TPV")->model()->index(row, 1).data().toString(), QStringLiteral("tivoli"));

    // Corrected, the same row is written.
    typeInCell("TPV", row, 0, "tv");
    select("TPV", 0);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(archive(JetQuery("SELECT id, Descrizione FROM Provincie WHERE id = 'TV'")), QStringList({"TV|TIVOLI"}));

    // A name left empty.
    typeInCell("TPV", addRow("TPV"), 0, "zz");
    select("TPV", 0);
    EXPECT_EQ(platform.lastText(), QStringLiteral("Inserire Entrambi i Campi"));
    EXPECT_TRUE(archive(JetQuery("SELECT id FROM Provincie WHERE id = 'ZZ'")).isEmpty());
    grid("TPV")->discardEdits();
    select("TPV", 0);  // back on Milan, whose postal codes follow

    typeInCell("TStati", 0, 0, "fr");  // Italy renamed to France's code
    select("TStati", 2);
    EXPECT_EQ(platform.lastText(), QStringLiteral("Codice Stato Duplicato"));
    EXPECT_EQ(archive(JetQuery("SELECT count(*) FROM Stati WHERE id = 'IT'")), QStringList({"1"}));
    grid("TStati")->discardEdits();
    EXPECT_EQ(column("TStati", 0).first(), QStringLiteral("IT"));

    // Many towns share a postal code; only the same town again is a duplicate.
    platform.clear();
    typeInCell("TCAP", addRow("TCAP"), 0, "20090");
    typeInCell("TCAP", addRow("TCAP"), 1, "assago");
    select("TCAP", 0);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    typeInCell("TCAP", addRow("TCAP"), 0, "20090");
    typeInCell("TCAP", addRow("TCAP"), 1, "segrate");
    select("TCAP", 0);
    EXPECT_EQ(platform.lastText(), QStringLiteral("Codice Cap Duplicato"));
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_EQ(archive(JetQuery("SELECT Descrizione FROM CAP WHERE CAP = '20090' ORDER BY Descrizione")),
              QStringList({"ASSAGO", "SEGRATE"}));
}

// A state or a province given a new code keeps its provinces and postal codes.
TEST_F(LocalitaTest, ANewCodeOfAStateOrProvinceIsCarriedToWhatBelongsToIt)
{
    const int switzerland = column("TStati", 0).indexOf(QStringLiteral("CH"));
    ASSERT_GE(switzerland, 0);
    typeInCell("TStati", switzerland, 0, "cx");
    select("TStati", 0);
    select("TStati", switzerland);
    EXPECT_EQ(column("TPV", 0), QStringList{"TI"});
    typeInCell("TPV", 0, 0, "tx");
    select("TPV", addRow("TPV"));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    EXPECT_EQ(archive(JetQuery("SELECT id, idStato FROM Provincie WHERE Descrizione = 'CANTON TICINO'")),
              QStringList{"TX|CX"});
    EXPECT_EQ(archive(JetQuery("SELECT idStato, idProvincia FROM CAP WHERE CAP = '6900'")), QStringList{"CX|TX"});
}

TEST_F(LocalitaTest, TurningToAnotherGridDiscardsThePendingRow)
{
    // An editor opened and closed without typing leaves the row unchanged.
    grid("TStati")->edit(grid("TStati")->model()->index(1, 1));
    ui::settle();
    for (QLineEdit* e : grid("TStati")->viewport()->findChildren<QLineEdit*>())
        QTest::keyClick(e, Qt::Key_Return);
    ui::settle();
    EXPECT_FALSE(grid("TStati")->hasPendingEdit());

    typeInCell("TPV", addRow("TPV"), 0, "xx");
    ASSERT_TRUE(grid("TPV")->hasPendingEdit());
    turnTo("TPV");
    EXPECT_TRUE(grid("TPV")->hasPendingEdit()) << "the grid's own focus keeps the row";
    turnTo("TStati");
    EXPECT_FALSE(grid("TPV")->hasPendingEdit());
    EXPECT_TRUE(grid("TPV")->model()->index(addRow("TPV"), 0).data().toString().isEmpty());
    select("TPV", 0);
    EXPECT_TRUE(archive(JetQuery("SELECT id FROM Provincie WHERE id = 'XX'")).isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(LocalitaTest, LeavingWithAHalfTypedRowAsksAndWritesNothing)
{
    typeInCell("TCAP", addRow("TCAP"), 0, "20100");
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(screen, "BEsci");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("Dati in Modifica. Uscire comunque ?"));
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    EXPECT_EQ(platform.last()->defaultAnswer, Platform::Answer::No);
    ui::settle();
    ASSERT_FALSE(screen.isNull());
    EXPECT_TRUE(grid("TCAP")->hasPendingEdit());

    platform.answers.enqueue(Platform::Answer::Yes);
    ui::click(screen, "BEsci");
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(base->OpenScreenCount, 0);
    EXPECT_TRUE(archive(JetQuery("SELECT CAP FROM CAP WHERE CAP = '20100'")).isEmpty());
}

TEST_F(LocalitaTest, ClosingOtherwiseWarnsThatTheChangesAreLost)
{
    ui::click(screen, "BEsci");
    ui::settle();
    EXPECT_TRUE(screen.isNull()) << "nothing pending: closes at once";
    EXPECT_TRUE(platform.messages.isEmpty());

    open(folder.makeBase());
    typeInCell("TStati", addRow("TStati"), 0, "AT");
    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("Dati in Modifica, le Modifiche verranno Perse"));
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::Ok);
    EXPECT_TRUE(archive(JetQuery("SELECT id FROM Stati WHERE id = 'AT'")).isEmpty());
}

TEST_F(LocalitaTest, CodeColumnsPassThroughTheTextFilter)
{
    auto filtered = std::make_unique<HashDroppingBase>();
    const auto reference = folder.makeBase();
    filtered->AppTitle = reference->AppTitle;
    filtered->DataDbPath = reference->DataDbPath;
    filtered->ConnectString = reference->ConnectString;
    open(std::move(filtered));

    typeInCell("TStati", addRow("TStati"), 0, "a#t");
    typeInCell("TStati", addRow("TStati"), 1, "au#stria");
    select("TStati", 0);
    EXPECT_EQ(archive(JetQuery("SELECT id, Descrizione FROM Stati WHERE id = 'AT'")), QStringList({"AT|AU#STRIA"}));
}

} // namespace
