#include "components/base/baseclass.h"
#include "common/database.h"
#include "common/datacontrol.h"
#include "masterdata/numeratori.h"
#include "numeratori_workstation.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

const QString Year = QString::number(QDate::currentDate().year());

class NumeratoriTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Documents that reach 57 for reason VEN, and higher numbers the VEN numerator must ignore.
        company("INSERT INTO MovMagTes (DataReg, NumInt, idCausale, idEsercizio) VALUES ('" + Year + "-01-10', 57, 'VEN', '" + Year + "')");
        company("INSERT INTO MovMagTes (DataReg, NumInt, idCausale, idEsercizio) VALUES ('" + Year + "-01-11', 90, 'CAR', '" + Year + "')");
        company("INSERT INTO MovMagTes (DataReg, NumInt, idCausale, idEsercizio) VALUES ('2001-01-11', 99, 'VEN', '2001')");
        // A delivery note of another reason counts for the document numerator "*".
        company("INSERT INTO DDTTes (DataReg, NumInt, idCausaleDoc, idEsercizio) VALUES ('" + Year + "-02-01', 40, 'ZZZ', '" + Year + "')");
        company("INSERT INTO DDTTes (DataReg, NumInt, idCausaleDoc, idEsercizio) VALUES ('2001-02-01', 70, 'VEN', '2001')");
        // Numerators of reasons missing from their reason table and of payments.
        company("INSERT INTO Numeratori VALUES ('F', 'ZZZ', '" + Year + "', 0, 'Fatture speciali', 'FATVETes')");
        company("INSERT INTO Numeratori VALUES ('P', 'INC', '" + Year + "', 4, 'Incassi', 'FATVETes')");
        open();
    }
    void TearDown() override { delete screen.data(); }

    void open()
    {
        screen = new Numeratori(base.get());
        ASSERT_TRUE(screen->openScreen());
        screen->show();
        ui::settle();
    }

    void company(const QString& sql)
    {
        Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
        QSqlQuery q(db.connection());
        ASSERT_TRUE(q.exec(db.dialectText(sql))) << sql.toStdString();
    }

    QStringList rows(const QString& archive, const QString& sql)
    {
        Database db = Database::open(archive, ProgramFolder::connectString());
        QSqlQuery q(db.connection());
        EXPECT_TRUE(q.exec(db.dialectText(sql))) << sql.toStdString();
        QStringList out;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            out << values.join(u'|');
        }
        return out;
    }

    QString stored(const QString& kind, const QString& code)
    {
        return rows(folder.dataDb(), "SELECT Progressivo FROM Numeratori WHERE idTipo = '" + kind + "' AND idCodice = '"
                                         + code + "' AND idEsercizio = '" + Year + "'")
            .value(0);
    }

    QStringList locks() { return rows(folder.userDb(), "SELECT [User], Postazione, Modulo, DescFrm, Tabella FROM Accessi"); }

    void go(const QString& kind, const QString& code)
    {
        auto* data = screen->findChild<DataControl*>("DataNumeratori");
        ASSERT_TRUE(data->findFirst(JetQuery("idTipo=") << Jet::text(kind) << " AND idCodice=" << Jet::text(code)));
    }

    bool editing() { return ui::enabled(screen, "BSalva"); }

    // Types a number and saves; the status bar's text afterwards.
    QString save(const QString& number)
    {
        ui::find<QLineEdit>(screen, "Progressivo")->setText(number);
        ui::click(screen, "BSalva");
        return ui::text(screen, "ErrorBar_1");
    }

    bool reasonShown() { return !ui::find<QWidget>(screen, "idCodice")->isHidden(); }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base = folder.makeBase();
    QPointer<Numeratori> screen;
};

TEST_F(NumeratoriTest, ShowsTheNumeratorsOfTheFiscalYearInBrowseMode)
{
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Brevano V: Gestione Numeratori"));
    auto* data = screen->findChild<DataControl*>("DataNumeratori");
    EXPECT_EQ(data->RecordSource.jetText(), "SELECT * FROM Numeratori where idEsercizio = \"" + Year + "\"");
    EXPECT_EQ(data->recordset().RecordCount(), 8) << "the previous year's numerator is not listed";
    EXPECT_TRUE(platform.messages.isEmpty());

    for (const char* key : {"BModifica", "BPrimo", "BIndietro", "BAvanti", "BUltimo", "BEsci"})
        EXPECT_TRUE(ui::enabled(screen, key)) << key;
    EXPECT_FALSE(ui::enabled(screen, "BSalva"));
    EXPECT_FALSE(ui::enabled(screen, "BAnnulla"));
    EXPECT_FALSE(ui::typable(screen, "Progressivo"));
    EXPECT_EQ(ui::text(screen, "BIndietro"), QStringLiteral("Prec."));
    EXPECT_EQ(ui::text(screen, "BAvanti"), QStringLiteral("Succ."));

    // Document numbering "*": no reason fields.
    EXPECT_FALSE(reasonShown());
    EXPECT_TRUE(ui::find<QWidget>(screen, "lblCausale")->isHidden());
    EXPECT_EQ(ui::text(screen, "Desc"), QStringLiteral("Documenti di trasporto"));
    EXPECT_EQ(ui::text(screen, "Progressivo"), QStringLiteral("3"));
    EXPECT_EQ(ui::text(screen, "idEsercizio"), Year);

    ui::click(screen, "BIndietro");
    EXPECT_EQ(ui::text(screen, "Desc"), QStringLiteral("Documenti di trasporto")) << "stays on the first row";
    ui::click(screen, "BUltimo");
    EXPECT_EQ(ui::text(screen, "idCodice"), QStringLiteral("INC"));
    EXPECT_TRUE(reasonShown());
    EXPECT_FALSE(ui::find<QWidget>(screen, "lblCausale")->isHidden());
    EXPECT_EQ(ui::text(screen, "lblCausale"), QStringLiteral("Causale"));
    EXPECT_EQ(ui::text(screen, "tDesc"), QStringLiteral("Incasso da cliente"));
    ui::click(screen, "BAvanti");
    EXPECT_EQ(ui::text(screen, "idCodice"), QStringLiteral("INC")) << "stays on the last row";
    ui::click(screen, "BIndietro");
    EXPECT_EQ(ui::text(screen, "idCodice"), QStringLiteral("ZZZ"));
    EXPECT_TRUE(ui::text(screen, "tDesc").isEmpty()) << "a reason missing from CauFat has no description";
    ui::click(screen, "BIndietro");
    EXPECT_EQ(ui::text(screen, "idCodice"), QStringLiteral("VEN"));
    EXPECT_EQ(ui::text(screen, "tDesc"), QStringLiteral("Vendita"));
    ui::click(screen, "BPrimo");
    EXPECT_FALSE(reasonShown());
}

TEST_F(NumeratoriTest, AYearWithoutNumeratorsInformsAndCloses)
{
    delete screen.data();
    base->FiscalYear = QStringLiteral("1990");
    open();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("Creare dei Documenti prima di Accedere ai Numeratori"));
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Information);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(base->OpenScreenCount, 0);
}

TEST_F(NumeratoriTest, TheNumberMayNotFallBelowTheHighestDocumentOfItsReason)
{
    go("M", "VEN");
    EXPECT_EQ(screen->HighestUsedNumber(), 57) << "reason CAR and the year 2001 do not count";
    ui::click(screen, "BModifica");
    ASSERT_TRUE(editing());
    EXPECT_TRUE(ui::typable(screen, "Progressivo"));
    EXPECT_FALSE(ui::enabled(screen, "BEsci"));

    ui::type(screen, "Progressivo", "-5a7");
    EXPECT_EQ(ui::text(screen, "Progressivo"), QStringLiteral("57")) << "only digits can be typed";

    EXPECT_EQ(save("56"), QStringLiteral("Trovati Documenti con Numerazione Maggiore"));
    EXPECT_TRUE(editing());
    EXPECT_EQ(ui::find<QLineEdit>(screen, "Progressivo")->selectedText(), QStringLiteral("56"));
    EXPECT_EQ(stored("M", "VEN"), QStringLiteral("1"));

    for (const char* wrong : {"-1", "abc", "", "32768", "99999999999999999999"}) {
        EXPECT_EQ(save(wrong), QStringLiteral("Numero Errato")) << wrong;
        EXPECT_TRUE(editing());
    }
    EXPECT_EQ(stored("M", "VEN"), QStringLiteral("1"));

    EXPECT_EQ(save("57"), QString());
    EXPECT_FALSE(editing());
    EXPECT_EQ(stored("M", "VEN"), QStringLiteral("57"));
    EXPECT_EQ(ui::text(screen, "idCodice"), QStringLiteral("VEN")) << "the saved numerator stays current";
    EXPECT_EQ(ui::text(screen, "Progressivo"), QStringLiteral("57"));
    EXPECT_TRUE(locks().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);

    ui::click(screen, "BModifica");
    EXPECT_EQ(save("60"), QString());
    EXPECT_EQ(stored("M", "VEN"), QStringLiteral("60"));
    ui::click(screen, "BModifica");
    EXPECT_EQ(save("32767"), QString());
    EXPECT_EQ(stored("M", "VEN"), QStringLiteral("32767"));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(NumeratoriTest, DocumentNumberingCountsEveryReasonAndANumeratorWithoutDocumentsAcceptsZero)
{
    go("*", "DDT");
    EXPECT_EQ(screen->HighestUsedNumber(), 40);
    ui::click(screen, "BModifica");
    EXPECT_EQ(save("39"), QStringLiteral("Trovati Documenti con Numerazione Maggiore"));
    EXPECT_EQ(save("40"), QString());
    EXPECT_EQ(stored("*", "DDT"), QStringLiteral("40"));

    go("F", "ZZZ");
    EXPECT_EQ(screen->HighestUsedNumber(), 0);
    ui::click(screen, "BModifica");
    EXPECT_EQ(save("0"), QString());
    EXPECT_EQ(stored("F", "ZZZ"), QStringLiteral("0"));
}

TEST_F(NumeratoriTest, EditingHoldsTheLockAndCancelReleasesItAndShowsTheStoredNumber)
{
    go("*", "PREV");
    ui::click(screen, "BModifica");
    EXPECT_EQ(locks(), QStringList({"admin|POSTAZIONE1|MODULO BASE|Gestione Numeratori|Numeratori"}));
    EXPECT_EQ(base->EditingScreenCount, 1);
    ui::find<QLineEdit>(screen, "Progressivo")->setText("99");
    ui::click(screen, "BAnnulla");
    EXPECT_FALSE(editing());
    EXPECT_FALSE(ui::typable(screen, "Progressivo"));
    EXPECT_EQ(ui::text(screen, "Progressivo"), QStringLiteral("2"));
    EXPECT_EQ(stored("*", "PREV"), QStringLiteral("2"));
    EXPECT_TRUE(locks().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(platform.messages.isEmpty()) << "closing in browse mode asks nothing";
}

TEST_F(NumeratoriTest, ClosingWhileEditingAsksAndYesReleasesTheLock)
{
    go("*", "FATVE");
    ui::click(screen, "BModifica");
    ui::find<QLineEdit>(screen, "Progressivo")->setText("9");
    platform.answers.enqueue(Platform::Answer::No);
    screen->close();
    ui::settle();
    ASSERT_FALSE(screen.isNull());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("I Dati Sono Stati Modificati.\r\rSi Desidera Uscire Perdendo le Modifiche?"));
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    EXPECT_TRUE(editing());
    EXPECT_EQ(locks().size(), 1);

    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(locks().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(base->OpenScreenCount, 0);
    EXPECT_EQ(stored("*", "FATVE"), QStringLiteral("2"));
}

TEST_F(NumeratoriTest, AReleaseNotConfirmedKeepsTheEditStateUntilTheScreenCloses)
{
    go("*", "RESO");
    ui::click(screen, "BModifica");
    rows(folder.userDb(), "DELETE FROM Accessi");  // removed meanwhile on the lock-management screen
    EXPECT_EQ(save("5"), QString());
    EXPECT_EQ(stored("*", "RESO"), QStringLiteral("5"));
    EXPECT_FALSE(editing());
    EXPECT_EQ(base->EditingScreenCount, 0);

    screen->close();
    ui::settle();
    ASSERT_EQ(platform.messages.size(), 1) << "state \"1\" still asks before closing";
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(base->EditingScreenCount, 0) << "the ended edit is not counted out twice";
}

TEST_F(NumeratoriTest, ANumeratorLockedElsewhereStaysInBrowseMode)
{
    auto other = folder.makeBase("mario", "POSTAZIONE2", false);
    ASSERT_TRUE(other->lock(LockMode::Acquire, [] {
        LockIdentity id;
        id.owner = "MODULO BASE";
        id.screenTitle = "Gestione Numeratori";
        id.table = "Numeratori";
        id.keyValues[0] = "*";
        id.keyValues[1] = "DDT";
        id.keyValues[2] = Year;
        id.keyFields[0] = "idTipo";
        id.keyFields[1] = "idCodice";
        id.keyFields[2] = "idEsercizio";
        id.keyKinds[0] = id.keyKinds[1] = id.keyKinds[2] = 1;
        return id;
    }()));
    go("*", "DDT");
    ui::click(screen, "BModifica");
    EXPECT_FALSE(editing());
    EXPECT_EQ(base->EditingScreenCount, 0);
    platform.clear();
    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(locks().size(), 1) << "the other workstation's lock stays";
}

TEST_F(NumeratoriTest, TwoWorkstationsCannotEditOneNumeratorAtOnce)
{
    delete screen.data();
    NumeratorWorkstation first(folder, "admin", "POSTAZIONE1");
    NumeratorWorkstation second(folder, "mario", "POSTAZIONE2");
    EXPECT_EQ(first.ask("goto * ORDVE"), QStringLiteral("AT * ORDVE 3"));
    EXPECT_EQ(second.ask("goto * ORDVE"), QStringLiteral("AT * ORDVE 3"));

    EXPECT_EQ(first.ask("edit"), QStringLiteral("EDITING"));
    const QString refused = second.ask("edit");
    EXPECT_TRUE(refused.startsWith(QStringLiteral("BROWSING | Dato in Modifica da Altro Utente."))) << refused.toStdString();

    EXPECT_EQ(first.ask("save 10"), QStringLiteral("SAVED 10"));
    EXPECT_EQ(second.ask("edit"), QStringLiteral("EDITING"));
    const QString refusedFirst = first.ask("edit");
    EXPECT_TRUE(refusedFirst.startsWith(
        QStringLiteral("BROWSING | Dato in Modifica da Altro Utente.\rUtente: mario\rPostazione: POSTAZIONE2")))
        << refusedFirst.toStdString();
    EXPECT_EQ(second.ask("save 11"), QStringLiteral("SAVED 11"));
    EXPECT_EQ(stored("*", "ORDVE"), QStringLiteral("11"));
    EXPECT_TRUE(locks().isEmpty());
}

} // namespace
