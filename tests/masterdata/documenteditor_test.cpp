// Documents written by hand on every document screen, from the keyboard alone: written, saved,
// reopened, corrected and deleted, and read back as another program reads them; a second
// workstation is kept out while one corrects a document.
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include "documents/documentkinds.h"

#include <QApplication>
#include <QTest>

namespace {

struct EditorCase
{
    const char *tool, *screen, *kind, *variant;
    bool supplier;
};

void PrintTo(const EditorCase& c, std::ostream* os) { *os << c.screen; }

class DocumentEditorWalk : public MainWindowTest, public ::testing::WithParamInterface<EditorCase>
{
protected:
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        ui::settle();
    }
    // Types into whatever has the focus, one key at a time (a grid's cell editor opens on the first).
    static void typeKeys(const QString& text)
    {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ui::settle();
        }
    }
    QStringList header(const DocumentKind& kind, const QString& columns) const
    {
        return program.rows("data.mdb", "SELECT " + columns + " FROM " + kind.headerTable + " WHERE DataReg = '" + Year + "-12-31'");
    }
    const QString Year = QString::number(QDate::currentDate().year());
};

TEST_P(DocumentEditorWalk, WritesSavesReopensCorrectsAndDeletesADocumentFromTheKeyboard)
{
    const EditorCase c = GetParam();
    const DocumentKind& kind = *documentKind(c.kind);
    QApplication::setActiveWindow(&openWindow());
    click(c.tool);
    QWidget* s = screen(c.screen);
    ASSERT_TRUE(s);

    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(ui::problems(s, s->parentWidget()), QStringList()) << "the editor fits its frame";
    key(Qt::Key_Home);
    typeKeys("3112" + Year);
    key(Qt::Key_Tab);  // the counterpart, then the rows
    typeKeys(c.supplier ? "F001" : "C001");
    key(Qt::Key_Tab);
    typeKeys("ART001");
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeKeys("2");
    key(Qt::Key_Return);
    ASSERT_EQ(ui::text(s, "LBLTotali"), c.supplier ? "Imponibile € 11,36   I.V.A. € 2,27   Totale Documento € 13,63"
                                                   : "Imponibile € 17,66   I.V.A. € 3,53   Totale Documento € 21,19")
        << "the totals follow the typing";
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList());

    // Saved as another program reads it: the counterpart's copy, the variant, the rows, the totals.
    const QString euro = kind.supplierCounterpart ? "EURO" : "LEURO";
    const QString total = "Tot" + kind.code + euro;
    EXPECT_EQ(header(kind, "COALESCE(DSCli, DSFor), " + total),
              QStringList(QString(c.supplier ? "Utensileria Italiana S.p.A.|13.63" : "Rossi Ferramenta S.n.c.|21.19")));
    if (QString(c.variant) != "-") {
        EXPECT_EQ(header(kind, "COALESCE(TipoFattura, '')"), QStringList(c.variant));
    }
    const QString number = header(kind, "NumInt").value(0);
    EXPECT_EQ(program.rows("data.mdb", "SELECT idArticolo, Descrizione, Quantita FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"),
              QStringList("ART001|Martello da carpentiere 500 g|2"));

    // Reopened (the last of the list), corrected, saved again under the same number.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_F2);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeKeys("4");
    key(Qt::Key_Return);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(header(kind, "NumInt, " + total), QStringList(number + (c.supplier ? "|27.26" : "|42.4")));

    // Deleted, after a question.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(header(kind, "NumInt"), QStringList());
    EXPECT_EQ(program.rows("data.mdb", "SELECT COUNT(*) FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"), QStringList("0"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryDocumentScreen, DocumentEditorWalk,
    ::testing::Values(EditorCase{"BDDT", "objddt", "DDT", "-", false}, EditorCase{"BRESO", "objreso", "RESO", "-", false},
                      EditorCase{"BPREV", "objprev", "PREV", "-", false}, EditorCase{"BORDVE", "objORDVE", "ORDVE", "-", false},
                      EditorCase{"BORDAC", "objORDAC", "ORDAC", "-", true}, EditorCase{"BFATVE", "objFATVE", "FATVE", "", false},
                      EditorCase{"BFATPRO", "objFATPRO", "FATVE", "PF", false}, EditorCase{"BFATSE", "objFATSE", "FATVE", "FS", false},
                      EditorCase{"BFATAC", "objFATAC", "FATAC", "-", true}, EditorCase{"BFATNC", "objFATNC", "FATNC", "", false},
                      EditorCase{"BFATND", "objFATND", "FATNC", "ND", false}),
    [](const auto& info) { return std::string(info.param.screen).substr(3); });

// While one workstation corrects a document, another is refused, told who holds it.
TEST_F(MainWindowTest, ASecondWorkstationCannotCorrectADocumentBeingCorrected)
{
    Workstation first(program, "admin", "PC1"), second(program, "mario", "PC2");
    EXPECT_EQ(first.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_EQ(first.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(second.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_TRUE(second.ask("click BModifica").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
    EXPECT_EQ(program.lockHolders(), QStringList("admin@PC1"));
}

} // namespace
