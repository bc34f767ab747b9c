// Record locks as other workstations meet them, the maintenance screens that edit one record
// under such a lock (company data, payment terms, numerators) and the lock-management screen,
// also with workstations as separate processes on one data folder (tests/workers/workstation.cpp).
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace {

const QString Year = QString::number(QDate::currentDate().year());

// A record's lock as a screen of `owner` takes it.
LockIdentity lockOf(const QString& table, const QStringList& fields, const QStringList& values, qint16 kind,
                    const QString& archive = EmptySlot, const QString& title = {}, const QString& owner = "BREVANO V")
{
    LockIdentity id{.owner = owner, .screenTitle = title, .table = table, .archive = archive};
    for (int i = 0; i < fields.size(); ++i) {
        id.keyFields[i] = fields[i];
        id.keyValues[i] = values[i];
        id.keyKinds[i] = kind;
    }
    return id;
}

class RecordLocks : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        mario = program.makeBase("mario", "POSTAZIONE2", false);
    }
    static LockIdentity company(const QString& key, const BaseClass& at)
    {
        return lockOf("Azienda", {"id"}, {key}, 0, at.UserDbPath, "Dati Azienda");
    }
    std::unique_ptr<BaseClass> mario;
};

TEST_F(RecordLocks, ALockIsOneRowNamingItsHolderAndRefusesEveryOtherHolder)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(base->lock(LockMode::Acquire, company("1", *base)));
    const QStringList row = program.rows("user.mdb", "SELECT [User], Postazione, Modulo, DescFrm, Tabella, Chiave1, "
                                                     "Chiave2, Chiave3, Archivio, Ore FROM Accessi");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0].section(u'|', 0, 8), "admin|POSTAZIONE1|BREVANO V|Dati Azienda|Azienda|id=1|:_:|:_:|user.mdb");
    const QDateTime taken = QDateTime::fromString(row[0].section(u'|', 9), "yyyy-MM-dd HH:mm:ss");
    EXPECT_TRUE(taken >= before && taken <= QDateTime::currentDateTime()) << row[0].toStdString();

    EXPECT_FALSE(mario->lock(LockMode::Acquire, company("1", *mario)));
    EXPECT_EQ(messages(), QStringList{"MESSAGE|information|ok|Brevano V|Dato in Modifica da Altro Utente.\\rUtente: admin"
                                      "\\rPostazione: POSTAZIONE1\\rDalle Ore: " + taken.toString("dd/MM/yyyy HH:mm:ss")});
    EXPECT_FALSE(program.makeBase("admin", "POSTAZIONE3")->lock(LockMode::Acquire, company("1", *base)));
    EXPECT_TRUE(base->lock(LockMode::Acquire, company("1", *base))) << "the holder is granted again";
    EXPECT_EQ(program.lockHolders(), QStringList{"admin@POSTAZIONE1"});

    // Only the holder releases it; then it is anyone's.
    EXPECT_FALSE(mario->lock(LockMode::Release, company("1", *mario)));
    EXPECT_TRUE(base->lock(LockMode::Release, company("1", *base)));
    EXPECT_FALSE(base->lock(LockMode::Release, company("1", *base)));
    EXPECT_TRUE(mario->lock(LockMode::Acquire, company("1", *mario)));
}

// Codes compare without regard to case, numbers by value, archives by file name (each
// workstation reaches the data folder by its own path), text keys as written.
TEST_F(RecordLocks, KeysMatchAsTheArchiveMatchesThem)
{
    const auto term = [](const char* code) { return lockOf("ModPag", {"Codice"}, {code}, 1); };
    const auto numerator = [](const char* code) {
        return lockOf("Numeratori", {"idTipo", "idCodice", "idEsercizio"}, {"FATVE", code, "2025"}, 1, EmptySlot,
                      "Gestione Numeratori", "MODULO BASE");
    };
    LockIdentity elsewhere = company("01", *base);
    elsewhere.archive = "/mnt/server/brevano/user.mdb";
    const struct { const char* name; LockIdentity held, asked; bool sameRecord; } cases[] = {
        {"code in another case", term("rb30"), term("RB30"), true}, {"another code", term("rb30"), term("RB3"), false},
        {"number with a leading zero, archive by another path", company("1", *base), elsewhere, true},
        {"another number", company("1", *base), company("2", *base), false},
        {"text key with a leading zero", numerator("01"), numerator("1"), false},
        {"text key as written", numerator("01"), numerator("01"), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        program.exec("user.mdb", "DELETE FROM Accessi");
        ASSERT_TRUE(base->lock(LockMode::Acquire, c.held));
        EXPECT_EQ(mario->lock(LockMode::CheckBeforeDelete, c.asked), !c.sameRecord);
        EXPECT_EQ(mario->lock(LockMode::Acquire, c.asked), !c.sameRecord);
        EXPECT_TRUE(base->lock(LockMode::CheckBeforeDelete, c.held)) << "the holder may delete its record";
    }
}

struct LockedScreen
{
    const char *command, *screen;
    const char* field;     // the field edited
    const char* archive;
    const char* column;    // the field's stored value, as SQL
    const char* update;    // another workstation's change of it, as SQL
    LockIdentity lock;     // the record's lock as another workstation takes it
    const char* question;  // on closing while editing
    bool rereads;          // an edit starts from the record as stored now, not as shown
};

std::ostream& operator<<(std::ostream& os, const LockedScreen& s) { return os << s.screen; }

class LockedScreens : public MainWindowTest, public ::testing::WithParamInterface<LockedScreen>
{
protected:
    QString stored() { return program.rows(GetParam().archive, GetParam().column).value(0); }
    // The screen's mode, the lock holders and the count of screens editing.
    QString state()
    {
        QWidget* s = screen(GetParam().screen);
        return QStringLiteral("%1|%2|%3")
            .arg(!s ? "closed" : ui::typable(s, GetParam().field) ? "editing" : "browsing", program.lockHolders().join(','))
            .arg(base->EditingScreenCount);
    }
};

// Edit takes the lock and starts from the record as stored now; cancel, save and closing end the
// edit and release it; a record held elsewhere is refused with its holder named and left alone.
TEST_P(LockedScreens, EditingHoldsTheRecordsLockUntilTheEditEnds)
{
    const LockedScreen& p = GetParam();
    const QString browsing = "browsing||0", editing = "editing|admin@POSTAZIONE1|1";
    QWidget* s = open(p.command, p.screen);
    EXPECT_EQ(state(), browsing);
    const QString original = ui::text(s, p.field);
    const auto set = [&](const char* text) { ui::find<QLineEdit>(s, p.field)->setText(text); };

    press(s, "BModifica");
    EXPECT_EQ(state(), editing);
    set("77");
    press(s, "BAnnulla");
    EXPECT_EQ(state(), browsing);
    EXPECT_EQ(ui::text(s, p.field), original);

    program.exec(p.archive, p.update);
    press(s, "BModifica");
    EXPECT_EQ(ui::text(s, p.field), p.rereads ? stored() : original);
    set("88");
    platform.answers.enqueue(Platform::Answer::No);
    closeScreen(s);
    EXPECT_EQ(messages(), QStringList{QString::fromUtf8(p.question)});
    EXPECT_EQ(state(), editing);

    press(s, "BSalva");
    EXPECT_EQ(state(), browsing);
    EXPECT_EQ(stored(), "88");

    press(s, "BModifica");
    set("99");
    closeScreen(s);  // answered Yes
    EXPECT_EQ(state(), "closed||0");
    EXPECT_EQ(stored(), "88");
    EXPECT_EQ(base->OpenScreenCount, 0);

    auto mario = program.makeBase("mario", "POSTAZIONE2", false);
    LockIdentity held = p.lock;
    held.archive = held.archive == EmptySlot ? held.archive : mario->UserDbPath;
    ASSERT_TRUE(mario->lock(LockMode::Acquire, held));
    s = open(p.command, p.screen);
    platform.clear();
    press(s, "BModifica");
    EXPECT_EQ(state(), "browsing|mario@POSTAZIONE2|0");
    closeScreen(s);
    EXPECT_EQ(state(), "closed|mario@POSTAZIONE2|0");
    // The holder is named; nothing is asked on closing.
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Dato in Modifica da Altro Utente.\\rUtente: mario")) << messages()[0].toStdString();
}

const char* const Modified = "MESSAGE|none|yesno|Brevano V|I Dati Sono Stati Modificati.\\r\\rSi Desidera Uscire Perdendo le Modifiche?";

INSTANTIATE_TEST_SUITE_P(Screens, LockedScreens,
    ::testing::Values(
        LockedScreen{"BAzienda", "DatiAzienda", "Text5", "user.mdb", "SELECT Indirizzo FROM Azienda",
                     "UPDATE Azienda SET Indirizzo = 'Via Altrove 3'", lockOf("Azienda", {"id"}, {"1"}, 0, "user.mdb"),
                     "MESSAGE|none|yesno|<none>|Dati in Modifica. Uscire Perdendo le Modifiche ?", true},
        LockedScreen{"BModPag", "ModPaga", "tDesc", "data.mdb",
                     "SELECT [Desc] FROM ModPag WHERE Codice = 'RD'",
                     "UPDATE ModPag SET [Desc] = 'Cambiata altrove' WHERE Codice = 'RD'",
                     lockOf("ModPag", {"Codice"}, {"rd"}, 1), Modified, true},
        LockedScreen{"BNumeratori", "Numeratori", "Progressivo", "data.mdb",
                     "SELECT Progressivo FROM Numeratori WHERE idTipo = '*' AND idCodice = 'DDT' AND idEsercizio = substr(CAST(CURRENT_DATE AS TEXT), 1, 4)",
                     "UPDATE Numeratori SET Progressivo = 40 WHERE idTipo = '*' AND idCodice = 'DDT' AND idEsercizio = substr(CAST(CURRENT_DATE AS TEXT), 1, 4)",
                     lockOf("Numeratori", {"idTipo", "idCodice", "idEsercizio"}, {"*", "DDT", Year}, 1), Modified, false}),
    [](const auto& info) { return std::string(info.param.screen); });

// A screen whose fields are set as a paste sets them.
class OneScreen : public MainWindowTest
{
protected:
    void set(const char* name, const QString& text) { ui::find<QLineEdit>(s, name)->setText(text); }
    QWidget* s = nullptr;
};

class PaymentTerms : public OneScreen
{
protected:
    QWidget* openTerms() { return s = open("BModPag", "ModPaga"); }
    QString code() { return ui::text(s, "tCod"); }
    QString panel1() { return ui::text(s, "SBMess_1"); }
    bool pending() { return ui::enabled(s, "BSalva") && !ui::enabled(s, "BNuovo") && ui::typable(s, "tDesc"); }
};

TEST_F(PaymentTerms, ANewTermIsCheckedRuleByRuleThenSavedAndShown)
{
    openTerms();
    press(s, "BNuovo");  // the snapshots show the states, the focus and the code kept on Modifica
    const struct { std::vector<std::pair<const char*, QString>> fields; QString message; } steps[] = {
        {{}, "Codice non Inserito"}, {{{"tCod", "rb30"}, {"tDesc", "Prova"}}, "Codice già esistente"},
        {{{"tCod", "RB90"}, {"tDesc", ""}}, "Descrizione non Inserita"},
        {{{"tDesc", "Ricevuta bancaria 30/60/90"}, {"R1", "30"}}, "Numero Rate non Inserito"},
        {{{"tRate", "3"}, {"R2", "60"}}, "Numero Rate Diverso da Giorni Scadenze Rate"},
        {{{"tRate", "2"}, {"R2", ""}, {"R3", "90"}}, "Giorni di Scadenza Rate non Inserite Correttamente"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.message.toStdString());
        for (const auto& [name, text] : step.fields) set(name, text);
        press(s, "BSalva");
        EXPECT_EQ(panel1(), step.message);
        EXPECT_TRUE(pending());
    }
    EXPECT_EQ(count("ModPag"), 4);

    set("tRate", "3");
    set("R2", "60");
    ui::find<QAbstractButton>(s, "tFineMese")->click();
    press(s, "BSalva");
    EXPECT_EQ(panel1() + "|" + code(), "|RB90");
    EXPECT_EQ(program.rows("data.mdb", "SELECT [Desc], Rate, FineMese, Scad1, Scad2, Scad3, Scad4 FROM ModPag WHERE Codice = 'RB90'"),
              QStringList{"Ricevuta bancaria 30/60/90|3|1|30|60|90|"});
    EXPECT_TRUE(program.lockHolders().isEmpty()) << "adding takes no lock";

    // Codes are taken as typed, quotes too; an empty rate without days is saved as zero.
    const QString quoted = "30\"GG'FM";
    press(s, "BNuovo");
    ui::type(s, "tCod", quoted);
    set("tDesc", "Trenta giorni");
    press(s, "BSalva");
    EXPECT_EQ(panel1() + "|" + ui::text(s, "tRate"), "|0");
    EXPECT_EQ(rows("SELECT Codice, Rate, Scad1 FROM ModPag WHERE [Desc] = 'Trenta giorni'"), QStringList{quoted + "|0|"});
    press(s, "BModifica");
    EXPECT_EQ(program.lockHolders(), QStringList{"admin@POSTAZIONE1"});
    EXPECT_EQ(program.rows("user.mdb", "SELECT Chiave1 FROM Accessi"), QStringList{"Codice=" + quoted});
    press(s, "BAnnulla");
}

// Codes that differ in case alone are one code on either engine, whatever the letter; accents
// count, and "ß" is not "ss". A pasted code loses its control characters and the spaces around it.
TEST_F(PaymentTerms, CodesEqualInAnyCaseAreOneOnEitherEngineAndPastedOnesAreCleaned)
{
    openTerms();
    const auto add = [&](const QString& code) {
        press(s, "BNuovo");
        set("tCod", code);
        set("tDesc", "Prova");
        press(s, "BSalva");
        const QString said = panel1();
        if (pending()) press(s, "BAnnulla");
        return said;
    };
    const QString pairs = "ÀàÁáÂâÃãÄäÅåÈèÉéÊêËëÌìÍíÎîÏïÒòÓóÔôÕõÖöÙùÚúÛûÜüÝýŸÿÇçÑñÆæØøẞß";
    for (qsizetype i = 0; i < pairs.size(); i += 2) {
        const QString capital = pairs.mid(i, 1) + "1", small = pairs.mid(i + 1, 1) + "1";
        SCOPED_TRACE(capital.toStdString());
        EXPECT_EQ(add(capital), "");
        EXPECT_EQ(add(small), "Codice già esistente");
    }
    EXPECT_EQ(add("e1") + add("ss1"), "");
    EXPECT_EQ(count("ModPag"), 4 + int(pairs.size()) / 2 + 2);

    EXPECT_EQ(add("  R" + QString(QChar(0)) + "D\n "), "Codice già esistente");
    EXPECT_EQ(add(" X" + QString(QChar(1)) + "Y\r\n\t"), "");
    EXPECT_EQ(program.rows("data.mdb", "SELECT count(*) FROM ModPag WHERE Codice = 'XY'"), QStringList{"1"});
}

// On the server a code too long for its index is refused in Italian; nothing is saved and what was
// typed stays on screen. (A pasted NUL never gets this far: fields drop control characters.)
TEST_F(PaymentTerms, AValueTheServerCannotKeepIsRefusedInItalian)
{
    if (!ProgramFolder::onServer()) GTEST_SKIP() << "limits of the server's keys and texts";
    QString tooLong;
    for (quint32 x = 1; tooLong.size() < 8000; x = x * 1103515245u + 12345u) tooLong += QChar(u'A' + (x >> 16) % 26);
    openTerms();
    press(s, "BNuovo");
    set("tCod", tooLong);
    set("tDesc", "Prova");
    press(s, "BSalva");
    EXPECT_TRUE(messages().value(0).contains("|L'archivio 'data.mdb' non può conservare un valore digitato")) << messages().join("\n").toStdString();
    EXPECT_TRUE(pending());
    EXPECT_EQ(count("ModPag"), 4);
}

TEST_F(PaymentTerms, DeletingAsksAndAnEmptyTableWaitsForANewTerm)
{
    openTerms();
    platform.answers.enqueue(Platform::Answer::No);
    press(s, "BElimina");
    EXPECT_EQ(count("ModPag"), 4);

    press(s, "BAvanti");
    auto mario = program.makeBase("mario", "POSTAZIONE2", false);
    const LockIdentity rb30 = lockOf("ModPag", {"Codice"}, {"RB30"}, 1);
    ASSERT_TRUE(mario->lock(LockMode::Acquire, rb30));
    press(s, "BElimina");
    EXPECT_EQ(messages().last(), "MESSAGE|critical|ok|Brevano V|Dato in Modifica da Altro Utente. Impossibile Eliminare");
    EXPECT_EQ(count("ModPag"), 4);
    mario->lock(LockMode::Release, rb30);

    // Edit starts from the term as stored: one deleted meanwhile is not edited.
    program.exec("data.mdb", "DELETE FROM ModPag WHERE Codice = 'RB30'");
    press(s, "BModifica");
    EXPECT_FALSE(pending());
    EXPECT_EQ(code(), "RD");
    EXPECT_TRUE(program.lockHolders().isEmpty());

    for (int i = 0; i < 3; ++i) press(s, "BElimina");
    EXPECT_EQ(count("ModPag"), 0);
    press(s, "BAnnulla");
    EXPECT_TRUE(pending()) << "an empty table waits for a new term";
    EXPECT_EQ(base->EditingScreenCount, 1);

    closeScreen(s);
    EXPECT_EQ(platform.lastText(), "E' Stato Inserito una Nuova Modalità.\r\rSi Desidera Uscire Perdendo le Modifiche?");
    EXPECT_EQ(base->EditingScreenCount, 0);
    openTerms();
    EXPECT_TRUE(pending());
    EXPECT_EQ(base->EditingScreenCount, 1) << "counted once";
    set("tCod", "RD");
    set("tDesc", "Rimessa diretta");
    press(s, "BSalva");
    EXPECT_EQ(code() + "|" + ui::text(s, "tDesc"), "RD|Rimessa diretta") << "the screen stands on the new term";
    EXPECT_EQ(base->EditingScreenCount, 0);
}

class Company : public OneScreen
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        s = open("BAzienda", "DatiAzienda");
        press(s, "BModifica");
    }
    QString stored(const char* columns) { return program.rows("user.mdb", QStringLiteral("SELECT %1 FROM Azienda").arg(columns)).value(0); }
};

TEST_F(Company, CurrencySettingsAreCheckedSavedAndHandedToTheRunningProgram)
{
    const struct { std::vector<std::pair<const char*, QString>> fields; QString message; const char* refused; } cases[] = {
        {{{"tValutaBase", ""}, {"tDecEuro", "abc"}}, "Valuta Base Non Inserita", "tValutaBase"},
        {{{"tDecValutaBase", "abc"}, {"tCambio", "-1"}}, "Numero Decimali Errato", "tDecValutaBase"},
        {{{"tDecValutaBase", "4"}}, "Valore Massimo Decimali = 3", "tDecValutaBase"},
        {{{"tCambio", "-1"}, {"tDecEuro", "abc"}}, "Cambio in Euro Errato", "tCambio"},
        {{{"tCambio", ""}, {"tDecEuro", "abc"}}, "Numero Decimali Errato", "tDecEuro"},  // no rate is a rate of zero
        {{{"tDecEuro", "4"}}, "Valore Massimo Decimali = 3", "tDecEuro"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        for (const char* name : {"tValutaBase", "tDecValutaBase", "tCambio", "tDecEuro"})
            set(name, QString::fromLatin1(name) == "tValutaBase" ? "EUR" : "2");
        for (const auto& [name, text] : c.fields) set(name, text);
        press(s, "BSalva");
        EXPECT_EQ(ui::text(s, "ErrorBar_1"), c.message);
        EXPECT_EQ(s->focusWidget(), ui::find<QLineEdit>(s, c.refused));
    }
    EXPECT_EQ(stored("ValutaBase") + "|" + base->BaseCurrency, "LIT|LIT");

    set("tDecValutaBase", "3");
    set("tCambio", "1234567,8912");
    set("tDecEuro", "2");
    press(s, "BSalva");
    EXPECT_EQ(ui::text(s, "ErrorBar_1") + "|" + ui::text(s, "tCambio"), "|1.234.567,89");
    EXPECT_EQ(stored("ValutaBase, DecimaliBase, CambioEuro, DecimaliEuro"), "EUR|3|1234567.89|2");
    EXPECT_EQ(QStringLiteral("%1|%2|%3|%4").arg(base->BaseCurrency).arg(base->BaseCurrencyDecimals).arg(base->EuroRate, 0, 'f', 4)
                  .arg(base->EuroDecimals), "EUR|3|1234567.8900|2");
}

// A VAT number that breaks the rules is asked about when it is typed, and not again once kept.
TEST_F(Company, ADoubtfulVatNumberIsKeptOnlyWhenTheClerkSaysSoAndAskedAboutOnce)
{
    const QString before = stored("PIVA");
    set("Text7", "12345678901");
    platform.answers.enqueue(Platform::Answer::No);
    press(s, "BSalva");
    EXPECT_EQ(stored("PIVA"), before);
    EXPECT_TRUE(platform.lastText().startsWith("Partita I.V.A. Errata")) << platform.lastText().toStdString();
    platform.answers.enqueue(Platform::Answer::Yes);
    press(s, "BSalva");
    EXPECT_EQ(stored("PIVA"), "12345678901");
    press(s, "BModifica");
    platform.clear();
    press(s, "BSalva");
    EXPECT_EQ(messages(), QStringList()) << "kept once, not asked again";
    closeScreen(s);  // an archive not yet upgraded shows the company without its fiscal regime
    program.exec("user.mdb", "ALTER TABLE Azienda DROP COLUMN RegimeFiscale");
    s = open("BAzienda", "DatiAzienda");
    EXPECT_EQ(ui::text(s, "Text7") + "|" + ui::text(s, "tRegimeFiscale"), "12345678901|");
}

TEST_F(Company, AddressLogoAndFolderAreChosenFromLists)
{
    // The province list offers the provinces of the state typed; the postal codes those of both.
    // A list answers with the entry searched for (none: cancelled); told as "offered -> field's text".
    const auto list = [&](const char* field, const QString& search, Qt::Key key = Qt::Key_unknown) {
        QStringList offered;
        ui::onNextModal([&offered, search](QWidget* lookup) {
            QAbstractItemModel* rows = ui::find<QTableView>(lookup, "LookupGrid")->model();
            for (int r = 0; r < rows->rowCount(); ++r) offered << rows->index(r, 0).data().toString();
            ui::type(lookup, "tCerca", search);
            ui::click(lookup, search.isEmpty() ? "BTNAnnulla" : "BTNOK");
        });
        QWidget* w = ui::find<QWidget>(s, field);
        w->setFocus();
        if (key == Qt::Key_unknown) QTest::mouseDClick(w, Qt::LeftButton);
        else QTest::keyClick(w, key);
        ui::settle();
        return offered.join(',') + " -> " + ui::text(s, field);
    };
    EXPECT_TRUE(list("Text1", "CH", Qt::Key_F4).endsWith(" -> CH"));  // F4 opens a list as a double-click does
    EXPECT_EQ(list("Text2", "CANTON"), "TI -> TI");
    EXPECT_EQ(list("Text3", "LUGANO"), "6900 -> 6900");
    ui::type(s, "Text2", "ZZ");
    EXPECT_EQ(list("Text2", ""), "TI -> ZZ");
    program.exec("data.mdb", "DROP TABLE CAP");  // a list that cannot be read is said
    QTest::mouseDClick(ui::find<QWidget>(s, "Text3"), Qt::LeftButton);
    EXPECT_TRUE(platform.lastText().startsWith("Operazione non riuscita sull'archivio "));

    const QString picture = program.file("Sfondo.jpg");
    platform.filesToChoose.enqueue(picture);
    press(s, "BInserisciImmagine");
    EXPECT_FALSE(ui::find<QLabel>(s, "Immag")->pixmap().isNull());
    platform.foldersToChoose.enqueue("/srv/brevano/documenti");
    press(s, "Sfoglia");
    QTest::mouseDClick(ui::find<QWidget>(s, "tDocumenti"), Qt::LeftButton);
    ui::settle();
    EXPECT_EQ(platform.openedFolders, QStringList{"/srv/brevano/documenti"});
    press(s, "BSalva");
    EXPECT_EQ(stored("Stato, Pv, CAP, PathImg, Path"), "CH|ZZ|6900|" + picture + "|/srv/brevano/documenti");

    press(s, "BModifica");
    press(s, "BEliminaImmagine");
    EXPECT_TRUE(ui::find<QLabel>(s, "Immag")->pixmap().isNull());
    press(s, "BSalva");
    EXPECT_EQ(stored("PathImg"), "0");

    // Keys pass the typing aids of their fields: digits, a decimal number, any printable text.
    press(s, "BModifica");
    const struct { const char *field, *keys, *kept; } typed[] = {
        {"tDecEuro", "10a3.4-5 9", "103459"}, {"tCambio", "-1.93x6,2.7", "-1.936,27"}, {"tCambio", "3-4,,5", "34,5"},
        {"Text4", "Bar \"Roma\" & C. 50%", "Bar \"Roma\" & C. 50%"}};
    for (const auto& t : typed) {
        ui::type(s, t.field, t.keys);
        EXPECT_EQ(ui::text(s, t.field), t.kept) << t.keys;
    }
}

// Documents that reach 57 for reason VEN; higher numbers of another reason or year do not count,
// except for the document numerator "*", which counts every reason.
TEST_F(MainWindowTest, ANumeratorMayNotFallBelowTheDocumentsOfItsReasonAndYear)
{
    for (QString row : {"MovMagTes (DataReg, NumInt, idCausale, idEsercizio) VALUES ('Y-01-10', 57, 'VEN', 'Y'), "
                        "('Y-01-11', 90, 'CAR', 'Y'), ('2001-01-11', 99, 'VEN', '2001')",
                        "DDTTes (DataReg, NumInt, idCausaleDoc, idEsercizio) VALUES ('Y-02-01', 40, 'ZZZ', 'Y')"})
        program.exec("data.mdb", "INSERT INTO " + row.replace("Y", Year));
    program.exec("data.mdb", "INSERT INTO Numeratori VALUES ('F', 'ZZZ', '" + Year + "', 0, 'Fatture speciali', 'FATVETes')");
    QWidget* s = open("BNumeratori", "Numeratori");
    const struct { const char *code, *typed, *refusal; } cases[] = {
        {"VEN", "56", "Trovati Documenti con Numerazione Maggiore"}, {"VEN", "-1", "Numero Errato"},
        {"VEN", "", "Numero Errato"}, {"VEN", "32768", "Numero Errato"}, {"VEN", "57", ""}, {"VEN", "32767", ""},
        {"DDT", "39", "Trovati Documenti con Numerazione Maggiore"}, {"DDT", "40", ""}, {"ZZZ", "0", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.typed);
        press(s, "BPrimo");
        for (int i = 0; i < 20 && ui::text(s, "idCodice") != c.code; ++i) press(s, "BAvanti");
        ASSERT_EQ(ui::text(s, "idCodice"), c.code);
        const QString before = ui::text(s, "Progressivo");
        press(s, "BModifica");
        ui::find<QLineEdit>(s, "Progressivo")->setText(c.typed);
        press(s, "BSalva");
        EXPECT_EQ(ui::text(s, "ErrorBar_1"), c.refusal);
        EXPECT_EQ(program.rows("data.mdb", QStringLiteral("SELECT Progressivo FROM Numeratori WHERE idCodice = '%1' AND idEsercizio = '%2'")
                                               .arg(c.code, Year)), QStringList(*c.refusal ? before : QString(c.typed)));
        if (*c.refusal) press(s, "BAnnulla");
        else EXPECT_EQ(ui::text(s, "idCodice"), c.code) << "the saved numerator stays current";
    }
}

// The lock-management screen: the locks of every workstation, and the removal of those left over.
class LockScreen : public MainWindowTest
{
protected:
    // A lock row as another workstation's base component writes it; returns its id.
    QString addLock(const QString& user, const QString& workstation, const QString& screenTitle, const QString& key,
                    const QString& table = "ModPag", const QString& archive = EmptySlot)
    {
        program.exec("user.mdb", QStringLiteral("INSERT INTO Accessi ([User], Postazione, Modulo, DescFrm, Ore, Tabella, "
                                                "Chiave1, Archivio) VALUES ('%1', '%2', 'BREVANO V', '%3', "
                                                "'2024-05-01 09:30:00', '%5', '%4', '%6')")
                                     .arg(user, workstation, screenTitle, key, table, archive));
        return program.rows("user.mdb", "SELECT max(id) FROM Accessi").value(0);
    }
    QTableView* grid() { return ui::find<QTableView>(s, "TDBGTabella"); }
    QString cell(int row, int column) { return grid()->model()->index(row, column).data().toString(); }
    void sortBy(int column)
    {
        QHeaderView* header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 5, 5));
        ui::settle();
    }
    QString shown() { return ui::text(s, "User") + "@" + ui::text(s, "Postazione") + " " + ui::text(s, "DescFrm"); }

    QWidget* s = nullptr;
};

TEST_F(LockScreen, ListsEveryLockWithTheCurrentOneInThePanelAndKeepsItAcrossSortsAndRefreshes)
{
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1");
    addLock("luigi", "POSTAZIONE3", "Gestione Numeratori", "idTipo=*");
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    addLock("luigi", "POSTAZIONE3", "Modalità Pagamento", "Codice=RD");
    s = open("BGestLoc", "GestAccessi");
    EXPECT_EQ(changedFrom("BGestLoc-locks", s), QString());
    press(s, "BSucc");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Gestione Numeratori");

    // Sorting by workstation, then by user, keeps this very lock selected, not the first of its kind.
    sortBy(2);
    EXPECT_EQ(cell(0, 2) + " " + cell(1, 2), "POSTAZIONE0 POSTAZIONE2");
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Gestione Numeratori");
    press(s, "BUltimo");
    sortBy(1);
    EXPECT_EQ(cell(0, 1), "anna");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Modalità Pagamento");
    EXPECT_EQ(cell(grid()->currentIndex().row(), 4), "Modalità Pagamento");

    // Locks taken meanwhile show at a refresh, in the same order, the selection kept.
    addLock("bruno", "POSTAZIONE4", "Gestione Numeratori", "idTipo=M", "Numeratori");
    press(s, "BRefresh");
    ASSERT_EQ(grid()->model()->rowCount(), 5);
    EXPECT_EQ(cell(1, 1), "bruno");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Modalità Pagamento");

    // The moment sorts too, the earliest first, and so does what is being edited.
    program.exec("user.mdb", "UPDATE Accessi SET Ore = '2024-04-30 18:00:00' WHERE [User] = 'mario'");
    sortBy(0);
    EXPECT_EQ(cell(0, 1) + " " + cell(0, 0), "mario 30/04/2024 18:00:00");
    sortBy(4);
    EXPECT_EQ(cell(0, 4) + "|" + cell(4, 4), "Dati Azienda|Modalità Pagamento");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Modalità Pagamento");
}

TEST_F(LockScreen, DeletingAsksLeavesHeldRowsAndEmptiesThePanelWithTheLastLock)
{
    const QString held = addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1");
    // Another administrator's workstation holds that row of Accessi itself.
    addLock("luigi", "POSTAZIONE3", "Gestione Blocco Dati", "id=" + held, "Accessi", "user.mdb");
    s = open("BGestLoc", "GestAccessi");
    ASSERT_EQ(shown(), "mario@POSTAZIONE2 Dati Azienda");
    press(s, "BElimina");
    EXPECT_TRUE(platform.messages.isEmpty()) << "refused silently, without the question";
    EXPECT_EQ(program.lockHolders().size(), 2);

    program.exec("user.mdb", "DELETE FROM Accessi WHERE Tabella = 'Accessi'");
    platform.answers.enqueue(Platform::Answer::No);
    press(s, "BElimina");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Brevano V|Sicuro di Voler Eliminare il Dato ? "});
    EXPECT_EQ(program.lockHolders().size(), 1);
    press(s, "BElimina");
    EXPECT_TRUE(program.lockHolders().isEmpty());
    EXPECT_EQ(QString::number(grid()->model()->rowCount()) + shown(), "0@ ");
    for (const char* onRow : {"BPrimo", "BPrec", "BSucc", "BUltimo", "BElimina"})
        EXPECT_FALSE(s->findChild<QAction*>(onRow)->isEnabled()) << onRow << " with no lock left";
}

// A copy of the program that ended without closing leaves its lock: a sign-in at that workstation
// drops it while another copy there still runs its own, and an administrator can delete it.
TEST_F(MainWindowTest, LocksLeftByAnEndedCopyGoAtTheNextSignInThereOrOnTheLockScreen)
{
    Workstation ended(program, "admin", "PC1"), running(program, "admin", "PC1"), other(program, "mario", "PC2");
    EXPECT_EQ(ended.ask("click BModPag"), "editing=0 screens=1");
    EXPECT_EQ(ended.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(running.ask("click BNumeratori"), "editing=0 screens=1");
    EXPECT_EQ(running.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(other.ask("click BAzienda"), "editing=0 screens=1");
    EXPECT_EQ(other.ask("click BModifica"), "editing=1 screens=1");
    ended.crash();

    Workstation again(program, "admin", "PC1");
    EXPECT_EQ(again.ask("signin admin admin"), "editing=0 screens=0");
    EXPECT_EQ(program.lockHolders(), (QStringList{"admin@PC1", "mario@PC2"})) << "the running copy keeps its lock";
    EXPECT_EQ(again.ask("click BModPag"), "editing=0 screens=1");
    EXPECT_EQ(again.ask("click BModifica"), "editing=1 screens=1");

    // The lock screen deletes what a stopped workstation left.
    running.crash();
    EXPECT_TRUE(again.ask("click BNumeratori").startsWith("editing=1 screens=2"));
    EXPECT_TRUE(again.ask("click BModifica").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
    QWidget* s = open("BGestLoc", "GestAccessi");
    for (int i = 0; i < 5 && ui::text(s, "DescFrm") != "Gestione Numeratori"; ++i) press(s, "BSucc");
    press(s, "BElimina");
    EXPECT_EQ(again.ask("click BModifica"), "editing=2 screens=2");

    // A machine cloned with this host name leaves these locks alone, their process not in its table.
    QTemporaryDir otherMachine;
    ASSERT_TRUE(QFile::copy(ProgramFolder::builtProgramDir() + "/locdata2.mdb", otherMachine.filePath("locdata.mdb")));
    Workstation clone(program, "admin", "PC1", otherMachine.path());
    program.exec("user.mdb", "UPDATE Accessi SET Processo = Processo || '0'");
    EXPECT_EQ(clone.ask("signin admin admin"), "editing=0 screens=0");
    EXPECT_EQ(program.lockHolders(), (QStringList{"mario@PC2", "admin@PC1", "admin@PC1"}));
}

// Two workstations edit one record on every screen that edits records: the second is refused, the
// holder named; however the first edit ends (save, cancel, close) the record is free again.
TEST_F(MainWindowTest, EveryEditingScreenLetsOneWorkstationAtATimeEditARecord)
{
    // The record, the column edited, how the first edit ends, whether it saves; a grid's row 0, column 1.
    const struct { const char *open, *table, *column, *code, *end; bool kept; const char* grid = nullptr; } screens[] = {
        {"BClienti", "Clienti", "Denominazione", "C001", "click BSalva", true},
        {"BFornitori", "Fornitori", "Denominazione", "F001", "click BAnnulla", false},
        {"BArticoli", "Articoli", "Descrizione", "ART001", "click BSalva", true},
        {"BAgenti", "Agenti", "Denominazione", "AG01", "close", false},
        {"BVettori", "Vettori", "Denominazione", "V01", "click BSalva", true},
        {"BMateriali", "Materiali", "Descrizione", "MAT01", "click BSalva", true},
        {"BServizi", "Servizi", "Descrizione", "SER01", "click BSalva", true}, {"BZone", "Zone", "Desc", "1", "click BSalva", true},
        {"BListini", "Listini", "Desc", "L1", "click BSalva", true}, {"BDistinta", "DistintaBase", "Desc", "DB001", "close", false},
        {"BLoc", "Stati", "Descrizione", "IT", "row TStati 1", true, "TStati"}};
    Workstation first(program, "admin", "PC1"), second(program, "mario", "PC2");
    for (const auto& s : screens) {
        SCOPED_TRACE(s.open);
        const auto edit = [&](Workstation& at, const QString& value) {
            const QString started = s.grid ? QString() : at.ask("click BModifica");
            return started + at.ask(s.grid ? QStringLiteral("cell %1 0 1 %2").arg(s.grid, value) : QStringLiteral("set %1 %2").arg(s.column, value));
        };
        const QString key = s.grid ? "id" : "Codice";
        const auto stored = [&] {
            return program.rows("data.mdb", QStringLiteral("SELECT %1 FROM %2 WHERE %3 = '%4'").arg(s.column, s.table, key, s.code)).value(0);
        };
        const QString before = stored();
        first.ask(QStringLiteral("click ") + s.open);
        second.ask(QStringLiteral("click ") + s.open);
        EXPECT_FALSE(edit(first, "PRIMA").contains("Dato in Modifica"));
        EXPECT_EQ(program.rows("user.mdb", "SELECT [User], Tabella, Chiave1 FROM Accessi").join(','), QStringLiteral("admin|%1|%2=%3").arg(s.table, key, s.code));
        EXPECT_TRUE(edit(second, "SECONDA").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
        first.ask(s.end);
        EXPECT_EQ(stored(), s.kept ? "PRIMA" : before) << "the refused edit wrote nothing";
        EXPECT_TRUE(program.lockHolders().isEmpty());

        EXPECT_FALSE(edit(second, "SECONDA").contains("Dato in Modifica"));
        second.ask(s.grid ? QStringLiteral("row %1 1").arg(s.grid) : QStringLiteral("click BSalva"));
        EXPECT_EQ(stored(), "SECONDA");
        first.ask("close"), second.ask("close");
    }
}

} // namespace
