#include "wizardfixture.h"

#include <QTableView>

namespace {

class Finish : public WizardTest
{
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        addDdt({2041, 3, 10}, 1, 1);
        program.exec("data.mdb", "INSERT INTO DDTRig (DataReg, NumInt, Riga, idArticolo, Quantita, TotRigaLit, TotRigaEuro) "
                                 "VALUES ('2041-03-10', 1, 1, 'ART001', 2, 36000, 18.59), "
                                 "('2041-03-10', 1, 2, 'ART001', 2, 36000, 18.59)");
    }
};

// The wizard asks before it creates: No writes nothing; Yes creates the document with the movement
// chosen, reports it and offers another, which leaves the warehouse alone.
TEST_F(Finish, CreatedDocumentIsReportedAndAnotherOffered)
{
    open();
    toStep2("Fattura Immediata");
    ui::type(wizard, "tDtMag", "15042041");
    ui::type(wizard, "tCauMag", "VEN");
    ui::click(wizard, "CMD7");
    ui::click(wizard, "CMD9");
    EXPECT_EQ(changedFrom("AutoComp-4", wizard), QString());
    const auto written = [this] { return QList<int>{count("FATVETes"), count("FATVERig"), count("MovMagTes")}; };
    const QList<int> before = written();
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(wizard, "CMD12");
    ASSERT_EQ(messages(), QStringList{"MESSAGE|none|yesno|<none>|Si Desidera Eseguire la Creazione del Documento ?"});
    EXPECT_EQ(wizard->CurrentPage, 5);
    EXPECT_EQ(written(), before);
    program.exec("data.mdb", "UPDATE DDTTes SET NumInt = 99 WHERE NumInt = 1");
    ui::click(wizard, "CMD12");  // the source gone for a moment: the movement asked for waits for the next try
    program.exec("data.mdb", "UPDATE DDTTes SET NumInt = 1 WHERE NumInt = 99");

    platform.clear();
    ui::click(wizard, "CMD12");
    EXPECT_EQ(messages().value(1), "MESSAGE|none|yesno|Documento Creato in Automatico|Fattura Immediata Creato in "
                                   "Automatico \\r\\r" + wizard->CreatedSummary
                                       + "\\r\\rSi Desidera Creare altri Documenti ?");
    EXPECT_TRUE(wizard->CreatedSummary.startsWith("Data : "));
    EXPECT_EQ(count("FATVETes"), before[0] + 1);
    EXPECT_NE(wizard->MovementNumber, 0);
    EXPECT_EQ(program.rows("data.mdb", QString("SELECT MMDataReg, MMidCausaleDoc, MMNumInt FROM FATVETes WHERE "
                                               "DataReg = '2041-03-05' AND NumInt = %1").arg(wizard->NewNumber)),
              QStringList{QString("2041-04-15|VEN|%1").arg(wizard->MovementNumber)});
    EXPECT_EQ(program.storedChanged("wizard", {"FATVETes", "FATVERig", "MovMagTes", "MovMagRig"}, " WHERE DataReg > '2041-01-01'"), QString());

    // Yes: back to step 1 with the choices kept.
    EXPECT_EQ(wizard->CurrentPage, 2);
    EXPECT_EQ(shownPages(), QList<int>({1}));
    EXPECT_EQ(ui::find<QComboBox>(wizard, "CBLista1")->currentText(), "Fattura Immediata");

    // A second document from the same source; No closes without the exit question.
    ui::choose(wizard, "CBLista1", "Bolla di Reso");
    ui::click(wizard, "CMD4");
    ui::click(wizard, "CMD7");
    ui::click(wizard, "CMD9");
    platform.clear();
    platform.answers.enqueue(Platform::Answer::Yes);
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(wizard, "CMD12");
    ui::settle();
    EXPECT_TRUE(wizard.isNull());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(count("RESOTes"), 3);
    EXPECT_EQ(count("MovMagTes"), before[2] + 1);
}

// A source that cannot give a document is told and step 4 stays; a creation that stops part way
// says which document it kept, with how many rows.
TEST_F(Finish, SourceWithoutRowsStoppedOrGoneIsToldAndStepFourStays)
{
    addDdt({2041, 3, 11}, 2, 1);   // no rows
    program.exec("data.mdb", "CREATE TRIGGER RefuseRow BEFORE INSERT ON RESORig WHEN NEW.Riga = 2 "
                             "BEGIN SELECT RAISE(ABORT, 'valore rifiutato'); END");
    open();
    toStep3("Bolla di Reso", "D.D.T.");
    ui::find<QTableView>(wizard, "GridRic")->selectRow(1);
    ui::click(wizard, "CMD9");
    ui::click(wizard, "CMD12");
    EXPECT_EQ(messages().value(1), "MESSAGE|information|ok|Brevano V|Il Documento di Partenza non contiene righe.\\r"
                                   "Nessun Documento è stato Creato.");
    EXPECT_EQ(wizard->CurrentPage, 5);
    const auto numbers = [this] { return program.rows("data.mdb", "SELECT * FROM Numeratori WHERE idEsercizio = '2041'"); };
    EXPECT_EQ(numbers(), QStringList()) << "no number taken";

    ui::click(wizard, "CMD13");
    ui::find<QTableView>(wizard, "GridRic")->selectRow(0);
    ui::click(wizard, "CMD9");
    platform.clear();
    ui::click(wizard, "CMD12");
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_TRUE(platform.lastText().startsWith("La Creazione si è Interrotta: è stato salvato il Documento Bolla di "
                                               "Reso (Data : "))
        << platform.lastText().toStdString();
    EXPECT_TRUE(platform.lastText().contains(QStringLiteral("Numero : %1) con 1 righe.").arg(wizard->NewNumber)));
    EXPECT_TRUE(platform.lastText().contains("valore rifiutato"));
    EXPECT_EQ(wizard->CurrentPage, 5);

    // Deleted by another workstation after the list was read.
    program.exec("data.mdb", "DELETE FROM DDTTes WHERE NumInt = 1");
    const QStringList taken = numbers();
    platform.clear();
    ui::click(wizard, "CMD12");
    EXPECT_EQ(messages().value(1), "MESSAGE|information|ok|Brevano V|Il Documento di Partenza non è più presente in "
                                   "archivio.\\rNessun Documento è stato Creato.");
    EXPECT_EQ(wizard->CurrentPage, 5);
    EXPECT_EQ(count("RESOTes"), 3);
    EXPECT_EQ(numbers(), taken) << "no number taken";
}

} // namespace
