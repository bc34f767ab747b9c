// The import of the previous generation's archive: its tables replace or join ours.
#include "import/importazione.h"
#include "mainwindow/mainwindowfixture.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSqlQuery>
#include <clocale>

namespace {

QString legacyFixture(const char* name)
{
    return QStringLiteral(BREVANO_FIXTURES_DIR "/legacy/") + QString::fromLatin1(name);
}

// Gives the C library the number conventions of an Italian workstation (decimal comma), as a Qt
// program started under it_IT has them. False on a machine without the locale.
bool italianNumbers()
{
    for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "it_IT"})
        if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') return true;
    return false;
}

const QString SelectDatabase = QStringLiteral("MESSAGE|none|ok|Brevano V|Selezionare il Database di Brevano IV");
const QString ImportError = QStringLiteral("MESSAGE|critical|ok|Brevano V|ATTENZIONE, Il File di Importazione è Errato o "
                                           "non correttamente funzionante.\\rSi Consiglia di Ritentare");
const QString EmptyingQuestion =
    QStringLiteral("MESSAGE|none|yesno|Brevano V|Si desidera Azzerare i Dati\\r\\rdelle Tabelle Selezionate ?");
const QStringList AllOptions{"OpArticoli", "OpClienti", "OpDepositi", "OpFornitori", "OpIva",
                             "OpMerc",     "OpUnita",   "OpZone",     "OpAgenti"};
const QStringList Tables{"Agenti", "Articoli", "Clienti", "Depositi", "Fornitori", "IVA", "SettMerc", "UM", "Zone"};

// What the demo's old archive holds, in the order tables are imported: rows taken and rows read.
const struct
{
    const char* table;
    int taken, read;
} OldArchive[] = {{"Agenti", 4, 4}, {"Articoli", 25, 25}, {"Clienti", 3, 10}, {"Depositi", 2, 3}, {"Fornitori", 5, 5},
                  {"Aliquote I.V.A.", 4, 4}, {"Settori Merceologici", 3, 3}, {"Unità di Misura", 5, 5}, {"Zone", 0, 0}};

// The messages of an import of the old archive's first tables, each told as taking `taken` rows.
QStringList importedCounts(int tables, int taken = -1)
{
    QStringList said{SelectDatabase};
    for (int i = 0; i < tables; ++i)
        said << QStringLiteral("MESSAGE|none|ok|<none>|Sono Stati Importati %1 %2 su %3")
                    .arg(taken < 0 ? OldArchive[i].taken : taken).arg(QString::fromUtf8(OldArchive[i].table)).arg(OldArchive[i].read);
    return said;
}

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
        for (const QString& option : options) ui::find<QCheckBox>(screen, option)->setChecked(true);
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
        ui::click(screen, "BElimina");  // answered Yes
    }
    QVariant value(const QString& sql)
    {
        QSqlQuery q(archive.connection());
        if (!q.exec(archive.dialectText(sql))) throw std::runtime_error(sql.toStdString());
        return q.next() ? q.value(0) : QVariant();
    }
    QList<int> counts()
    {
        QList<int> all;
        for (const QString& table : Tables) all << count(table);
        return all;
    }

    Database archive = Database::open(program.dataDb(), ProgramFolder::connectString());
    QPointer<Importazione> screen;
};

TEST_F(ImportScreen, NothingIsTouchedWithoutTicksAChosenFileOrAYes)
{
    ui::click(screen, "BImporta");
    tick({"OpZone"});
    ui::click(screen, "BImporta");  // the file dialog closes without a choice
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(screen, "BElimina");
    EXPECT_EQ(messages(), QStringList({"MESSAGE|information|ok|Brevano V|Selezionare le Tabelle da Importare",
                                       SelectDatabase, EmptyingQuestion}));
    EXPECT_EQ(count("Zone"), 3);
}

TEST_F(ImportScreen, EmptyingThenImportingReplacesTheTablesAndASecondImportAddsNothing)
{
    // Documents name customers and suppliers by id: an emptied table never gives an id again.
    const int customersBefore = value("SELECT Max(id) FROM Clienti").toInt();
    const int suppliersBefore = value("SELECT Max(id) FROM Fornitori").toInt();
    tick(AllOptions);
    emptyTicked();
    EXPECT_EQ(messages(), QStringList({EmptyingQuestion, "MESSAGE|information|ok|Brevano V|Azzeramento Dati Completato"}));
    EXPECT_EQ(counts(), QList<int>({0, 0, 0, 1, 0, 0, 0, 0, 0}));

    const QString old = legacyFixture("BrevanoIV.mdb");
    auto* progress = ui::find<QProgressBar>(screen, "Avanzamento");
    QStringList shown;  // the progress in view as each table's count is said, and gone at the end
    platform.onMessage = [&](const auto&) { shown << (progress->isVisible() ? progress->text() : "-"); };
    importFrom(old);
    EXPECT_EQ(shown.mid(0, 3) << (progress->isVisible() ? "shown" : "gone"), QStringList({"-", "Agenti: 4 di 4", "Articoli: 25 di 25", "gone"}));
    EXPECT_EQ(messages(), importedCounts(9));
    EXPECT_GT(value("SELECT Min(id) FROM Clienti").toInt(), customersBefore);
    EXPECT_GT(value("SELECT Min(id) FROM Fornitori").toInt(), suppliersBefore);
    // Every column of every table imported: every article in the warehouse DEP, kept by the
    // emptying; of customers with codes differing only in case, the first row of each code.
    EXPECT_EQ(program.storedChanged("import", Tables), QString());

    importFrom(old);
    EXPECT_EQ(messages(), importedCounts(9, 0));
    EXPECT_EQ(count("Articoli"), 25);
}

// Imported text is the old text character for character; numbers keep their value, and stay
// numbers, on a workstation that writes them with a decimal comma.
TEST_F(ImportScreen, ImportedValuesEqualTheOldOnesUnderItalianNumberConventions)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const auto restore = qScopeGuard([&previous] { std::setlocale(LC_NUMERIC, previous.c_str()); });
    if (!italianNumbers()) GTEST_SKIP() << "no Italian locale on this machine";
    tick({"OpArticoli", "OpClienti", "OpAgenti"});
    emptyTicked();
    importFrom(legacyFixture("BrevanoIV.mdb"));
    ASSERT_EQ(platform.messages.size(), 4) << messages().join('\n').toStdString();

    // Every value as another program reads it (a 3,000-character note, line breaks, the euro sign,
    // amounts with decimals); a number stays a number and Null stays Null (~).
    EXPECT_EQ(program.storedChanged("import-italian", {"Agenti", "Articoli", "Clienti"}), QString());
    EXPECT_NE(value("SELECT PrezzoAcqEuro FROM Articoli WHERE Codice = 'CAF002'").typeId(), QMetaType::QString);
}

// A file that is not an old archive imports nothing; an old table missing a column stops the
// import there, keeping the tables before it.
TEST_F(ImportScreen, ABadFileGivesTheErrorAndKeepsTheTablesImportedBeforeIt)
{
    tick({"OpAgenti", "OpArticoli", "OpZone"});
    for (const char* file : {"NotBrevano.mdb", "not_an_archive.mdb"}) {
        importFrom(legacyFixture(file));
        EXPECT_EQ(messages(), QStringList({SelectDatabase, ImportError})) << file;
        EXPECT_EQ(QList<int>({count("Agenti"), count("Articoli"), count("Zone")}), QList<int>({2, 8, 3}));
        EXPECT_FALSE(platform.busy) << "the hourglass is restored";
    }

    tick(AllOptions);
    emptyTicked();
    importFrom(legacyFixture("BrevanoIV_missingcol.mdb"));
    EXPECT_EQ(messages(), importedCounts(4) << ImportError);
    EXPECT_EQ(counts(), QList<int>({4, 25, 3, 3, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(ui::find<QProgressBar>(screen, "Avanzamento")->isVisible()) << "no progress left shown";
}

TEST_F(ImportScreen, AFailingEmptyingStopsWithItsReasonAndKeepsWhatWasEmptied)
{
    program.exec("data.mdb", "DROP TABLE UM");
    tick({"OpArticoli", "OpUnita", "OpZone"});
    emptyTicked();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].startsWith("MESSAGE|critical|ok|Brevano V|Impossibile Azzerare i Dati della Tabella Unità di Misura.\\r"))
        << messages()[1].toStdString();
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
    EXPECT_EQ(messages(), QStringList({SelectDatabase, "MESSAGE|none|ok|<none>|Sono Stati Importati 2 Unità di Misura su 4",
                                       "MESSAGE|none|ok|<none>|Sono Stati Importati 0 Zone su 0"}));
    EXPECT_EQ(rows("SELECT Codice, [Desc] FROM UM ORDER BY Codice"), QStringList({"PZ|Pezzi", "Q.LE|Quintale"}));
}

} // namespace
