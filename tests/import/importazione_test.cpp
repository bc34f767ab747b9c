#include "import/importazione.h"
#include "legacyfixtures.h"
#include "mainwindow/mainwindowfixture.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

const QString ImportError = QStringLiteral("ATTENZIONE, Il File di Importazione è Errato o non correttamente funzionante.")
                            + u'\r' + QStringLiteral("Si Consiglia di Ritentare");
const QString SelectDatabase = QStringLiteral("Selezionare il Database di Brevano IV");
const QStringList AllOptions{"OpArticoli", "OpClienti", "OpDepositi", "OpFornitori", "OpIva",
                             "OpMerc",     "OpUnita",   "OpZone",     "OpAgenti"};
const QStringList Tables{"Agenti", "Articoli", "Clienti", "Depositi", "Fornitori", "IVA", "SettMerc", "UM", "Zone"};

class ImportScreen : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        screen = qobject_cast<Importazione*>(open("BImporta", "Importazione"));
        ASSERT_TRUE(screen);
    }

    void tick(const QStringList& options)
    {
        for (const QString& option : options)
            ui::find<QCheckBox>(screen, option)->setChecked(true);
    }
    void importFrom(const QString& file)
    {
        platform.clear();
        platform.filesToChoose.enqueue(file);
        ui::click(screen, "BImporta");
    }
    void emptyTicked()
    {
        platform.clear();
        platform.answers.enqueue(Platform::Answer::Yes);
        ui::click(screen, "BElimina");
    }
    QStringList texts() const
    {
        QStringList all;
        for (const auto& m : platform.messages)
            all << m.text;
        return all;
    }
    QSqlQuery query(const QString& sql)
    {
        QSqlQuery q(archive.connection());
        if (!q.exec(archive.dialectText(sql)))
            throw std::runtime_error(sql.toStdString());
        return q;
    }
    int count(const QString& table) { return value("SELECT COUNT(*) FROM " + table).toInt(); }
    QVariant value(const QString& sql)
    {
        QSqlQuery q = query(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    QStringList column(const QString& sql)
    {
        QStringList values;
        QSqlQuery q = query(sql);
        while (q.next())
            values << q.value(0).toString();
        return values;
    }

    Database archive = Database::open(program.dataDb(), ProgramFolder::connectString());
    QPointer<Importazione> screen;
};

TEST_F(ImportScreen, RefusesWithoutTicksAndStopsQuietlyWhenNoFileIsChosen)
{
    ui::click(screen, "BImporta");
    ui::click(screen, "BElimina");
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Selezionare le Tabelle da Importare"));
    EXPECT_EQ(platform.messages[1].text, QStringLiteral("Selezionare le Tabelle da Azzerare i Dati"));
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.icon, Platform::Icon::Information);
        EXPECT_EQ(m.title, QStringLiteral("Brevano V"));
    }
    EXPECT_TRUE(platform.fileFilters.isEmpty());

    // The file dialog closed without a choice: only the invitation to choose was shown.
    tick({"OpZone"});
    platform.clear();
    ui::click(screen, "BImporta");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, SelectDatabase);
    EXPECT_EQ(platform.messages[0].icon, Platform::Icon::None);
    EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::Ok);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("Brevano V"));
    EXPECT_EQ(platform.fileFilters, QStringList("Database di Brevano IV (BrevanoIV.mdb)|BrevanoIV.mdb"));
    EXPECT_EQ(count("Zone"), 3);

    // Answering No to the emptying question leaves the tables alone.
    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(screen, "BElimina");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Si desidera Azzerare i Dati\r\rdelle Tabelle Selezionate ?"));
    EXPECT_EQ(platform.messages[0].buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("Brevano V"));
    EXPECT_EQ(count("Zone"), 3);
}

TEST_F(ImportScreen, EmptyingThenImportingReplacesTheTablesAndASecondImportAddsNothing)
{
    // Documents name customers and suppliers by id: an emptied table never gives an id again.
    const int customersBefore = value("SELECT Max(id) FROM Clienti").toInt();
    const int suppliersBefore = value("SELECT Max(id) FROM Fornitori").toInt();
    tick(AllOptions);
    emptyTicked();
    EXPECT_EQ(texts(), QStringList({"Si desidera Azzerare i Dati\r\rdelle Tabelle Selezionate ?",
                                    "Azzeramento Dati Completato"}));
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Information);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    for (const QString& table : Tables)
        EXPECT_EQ(count(table), table == "Depositi" ? 1 : 0) << table.toStdString();
    EXPECT_EQ(value("SELECT Codice FROM Depositi").toString(), QStringLiteral("DEP"));

    const QString old = legacyFixture("BrevanoIV.mdb");
    importFrom(old);
    const QStringList firstCounts{"Sono Stati Importati 4 Agenti su 4",
                                  "Sono Stati Importati 25 Articoli su 25",
                                  "Sono Stati Importati 3 Clienti su 10",
                                  "Sono Stati Importati 2 Depositi su 3",
                                  "Sono Stati Importati 5 Fornitori su 5",
                                  "Sono Stati Importati 4 Aliquote I.V.A. su 4",
                                  "Sono Stati Importati 3 Settori Merceologici su 3",
                                  "Sono Stati Importati 5 Unità di Misura su 5",
                                  "Sono Stati Importati 0 Zone su 0"};
    EXPECT_EQ(texts(), QStringList(SelectDatabase) + firstCounts);
    for (int i = 1; i < platform.messages.size(); ++i) {
        EXPECT_EQ(platform.messages[i].icon, Platform::Icon::None);
        EXPECT_EQ(platform.messages[i].buttons, Platform::Buttons::Ok);
        EXPECT_TRUE(platform.messages[i].title.isNull()) << "the count message has no title of its own";
    }

    // Every article goes to the warehouse DEP; of customers with codes differing only in case,
    // the first row of each code went in.
    EXPECT_EQ(column("SELECT DISTINCT idDeposito FROM Articoli"), QStringList("DEP"));
    EXPECT_EQ(column("SELECT Codice || '|' || Denominazione || '|' || Esente FROM Clienti ORDER BY id"),
              QStringList({"C001|Alimentari Ferrari S.n.c.|0", "C002|Bar Caffè dell'Angolo di Greco Salvatore|0",
                           "C003|Comunità Montana Alta Valle|1"}));
    EXPECT_EQ(column("SELECT Codice FROM Depositi ORDER BY Codice"), QStringList({"DEP", "MAG2", "MAG3"}));
    EXPECT_GT(value("SELECT Min(id) FROM Clienti").toInt(), customersBefore);
    EXPECT_GT(value("SELECT Min(id) FROM Fornitori").toInt(), suppliersBefore);
    EXPECT_EQ(column("SELECT Codice || '=' || [Desc] FROM SettMerc ORDER BY Codice"),
              QStringList({"1=Alimentari", "2=Bevande", "3=Casalinghi e igiene"}));
    EXPECT_EQ(program.rows("data.mdb", "SELECT Codice, Perc FROM IVA ORDER BY Codice"),
              QStringList({"10|10", "20|20", "4|4", "E15|0"}));

    importFrom(old);
    QStringList secondCounts;
    for (const QString& text : firstCounts)
        secondCounts << QString(text).replace(QRegularExpression("Importati \\d+"), "Importati 0");
    EXPECT_EQ(texts(), QStringList(SelectDatabase) + secondCounts);
    EXPECT_EQ(count("Articoli"), 25);
}

// Imported text is the old text byte for byte; numbers keep their value on a workstation that
// writes them with a decimal comma.
TEST_F(ImportScreen, ImportedValuesEqualTheOldOnesUnderItalianNumberConventions)
{
    ItalianNumbers italian;
    if (!italian.active())
        GTEST_SKIP() << "no Italian locale on this machine and localedef could not build one";
    tick({"OpArticoli", "OpClienti", "OpAgenti"});
    emptyTicked();
    importFrom(legacyFixture("BrevanoIV.mdb"));
    ASSERT_EQ(platform.messages.size(), 4) << texts().join('\n').toStdString();

    const auto note = [&](const char* code) {
        return value(QStringLiteral("SELECT Note FROM Articoli WHERE Codice = '%1'").arg(code));
    };
    EXPECT_EQ(value("SELECT Descrizione FROM Articoli WHERE Codice = 'CAF001'").toString().toUtf8(),
              QByteArray("Caff\xc3\xa8 macinato"));
    EXPECT_EQ(value("SELECT Descrizione FROM Articoli WHERE Codice = 'TE0001'").toString().toUtf8(),
              QByteArray("T\xc3\xa8 verde in filtri 20 pz"));
    EXPECT_EQ(note("OLI001").toString().toUtf8(), longArticleNote().toUtf8());
    EXPECT_EQ(note("VIN001").toString().toUtf8(), QByteArray("Annata 1998.\r\nCartone da 6 bottiglie."));
    EXPECT_EQ(note("TON001").toString().toUtf8(), QByteArray("Offerta \"3x2\" valida fino al 31/12/2001"));
    EXPECT_EQ(note("ACE001").toString().toUtf8(), QByteArray("Prezzo consigliato al pubblico: \xe2\x82\xac 3,50"));
    EXPECT_TRUE(note("PAS002").isNull());
    EXPECT_EQ(value("SELECT PrezzoAcqEuro FROM Articoli WHERE Codice = 'CAF002'").toDouble(), 8.03);
    EXPECT_EQ(value("SELECT PrezzoAcqEuro FROM Articoli WHERE Codice = 'CAF002'").typeId(), QMetaType::Double);
    EXPECT_EQ(value("SELECT PuntoGiacenzaMinima FROM Articoli WHERE Codice = 'FOR001'").toDouble(), 2.5);
    EXPECT_EQ(value("SELECT ProvvAg FROM Agenti WHERE Codice = 'AG02'").toDouble(), 7.5);
    EXPECT_EQ(value("SELECT ProvvAg FROM Agenti WHERE Codice = 'AG03'").toDouble(), 3.25);
    EXPECT_TRUE(value("SELECT Fax FROM Agenti WHERE Codice = 'AG02'").isNull());
    EXPECT_EQ(value("SELECT Fido FROM Clienti WHERE Codice = 'C001'").toDouble(), 5000000.0);
    const QVariant exempt = value("SELECT Esente FROM Clienti WHERE Codice = 'C003'");
    EXPECT_NE(exempt.typeId(), QMetaType::QString);
    EXPECT_EQ(exempt.toInt(), 1);
}

TEST_F(ImportScreen, AFileThatIsNotAnOldArchiveGivesTheErrorAndImportsNothing)
{
    tick({"OpAgenti", "OpArticoli", "OpZone"});
    for (const char* file : {"NotBrevano.mdb", "not_an_archive.mdb"}) {
        importFrom(legacyFixture(file));
        EXPECT_EQ(texts(), QStringList({SelectDatabase, ImportError})) << file;
        EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
        EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
        EXPECT_EQ(count("Agenti"), 2);
        EXPECT_EQ(count("Articoli"), 8);
        EXPECT_EQ(count("Zone"), 3);
        EXPECT_FALSE(platform.busy) << "the hourglass is restored";
    }
}

TEST_F(ImportScreen, AnOldTableMissingAColumnStopsTheImportKeepingTheTablesBeforeIt)
{
    tick(AllOptions);
    emptyTicked();
    importFrom(legacyFixture("BrevanoIV_missingcol.mdb"));
    EXPECT_EQ(texts(), QStringList({SelectDatabase, "Sono Stati Importati 4 Agenti su 4",
                                    "Sono Stati Importati 25 Articoli su 25", "Sono Stati Importati 3 Clienti su 10",
                                    "Sono Stati Importati 2 Depositi su 3", ImportError}));
    EXPECT_EQ(count("Agenti"), 4);
    EXPECT_EQ(count("Depositi"), 3);
    for (const char* table : {"Fornitori", "IVA", "SettMerc", "UM", "Zone"})
        EXPECT_EQ(count(table), 0) << table;
}

// Only the old table being read needs the hourglass: every message box finds it restored, and
// the bar tells which table is being read.
TEST_F(ImportScreen, ShowsTheHourglassAndTheTableBeingReadWhileImporting)
{
    tick({"OpArticoli", "OpUnita"});
    emptyTicked();
    QStringList seen;
    platform.onMessage = [&](const ScriptedPlatform::Message& m) {
        auto* bar = ui::find<QProgressBar>(screen, "Avanzamento");
        seen << m.text.left(24) + QStringLiteral("|busy=%1|").arg(platform.busy)
                    + (bar->isVisible() ? QStringLiteral("%1|%2/%3").arg(bar->text()).arg(bar->value()).arg(bar->maximum())
                                        : QStringLiteral("hidden"));
    };
    importFrom(legacyFixture("BrevanoIV.mdb"));
    EXPECT_EQ(seen, QStringList({"Selezionare il Database |busy=0|hidden",
                                 "Sono Stati Importati 25 |busy=0|Articoli: 25 di 25|25/25",
                                 "Sono Stati Importati 5 U|busy=0|Unità di Misura: 5 di 5|5/5"}));
    EXPECT_GE(platform.hourglassOn, 2);
    EXPECT_FALSE(ui::find<QProgressBar>(screen, "Avanzamento")->isVisible());
}

TEST_F(ImportScreen, AFailingEmptyingStopsWithItsReasonAndKeepsWhatWasEmptied)
{
    query("DROP TABLE UM");
    tick({"OpArticoli", "OpUnita", "OpZone"});
    emptyTicked();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.startsWith("Impossibile Azzerare i Dati della Tabella Unità di Misura.\r"))
        << platform.messages[1].text.toStdString();
    EXPECT_EQ(platform.messages[1].icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.messages[1].title, QStringLiteral("Brevano V"));
    EXPECT_EQ(count("Articoli"), 0);
    EXPECT_EQ(count("Zone"), 3);
}

// An old archive already in our own format, with the same tables, is read directly.
TEST_F(ImportScreen, ImportsFromAnOldArchiveInOurOwnFormat)
{
    QTemporaryDir dir;
    const QString old = dir.filePath("BrevanoIV.mdb");
    {
        Database own = Database::create(old, QString());
        for (const char* sql :
             {"CREATE TABLE UnitaDiMisura (Breve TEXT, Descrizione TEXT)",
              "INSERT INTO UnitaDiMisura VALUES ('PZ', 'Pezzi'), ('pz', 'Pezzi doppi'), ('Q.LE', 'Quintale'), (NULL, 'Senza codice')",
              "CREATE TABLE zone (ID TEXT, Zona TEXT)"})
            own.prepare(QString::fromUtf8(sql)).exec();
    }
    tick({"OpUnita", "OpZone"});
    emptyTicked();
    importFrom(old);
    EXPECT_EQ(texts(), QStringList({SelectDatabase, "Sono Stati Importati 2 Unità di Misura su 4",
                                    "Sono Stati Importati 0 Zone su 0"}));
    EXPECT_EQ(column("SELECT Codice || '=' || [Desc] FROM UM ORDER BY Codice"),
              QStringList({"PZ=Pezzi", "Q.LE=Quintale"}));

    // Sectors come before units: without their table the import stops at once.
    tick({"OpMerc"});
    importFrom(old);
    EXPECT_EQ(texts(), QStringList({SelectDatabase, ImportError}));
}

} // namespace
