#include "datiazienda_fixture.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace {

// A base component whose look-ups answer from the test and remember what they were asked.
class LookupBase : public BaseClass
{
public:
    struct Call
    {
        qint16 kind;
        QString query;
        QVariantList values;
    };
    QString ShowLookup(qint16 kind, const JetQuery& filter) override
    {
        calls.push_back({kind, filter.jetText(), filter.bindings()});
        if (!error.isEmpty())
            return error;
        (kind == 22 ? SelectedProvince : kind == 23 ? SelectedPostalCode : DialogResult) = answer;
        return {};
    }
    QVector<Call> calls;
    QString answer, error;
};

class CompanyFieldsTest : public CompanyScreenTest
{
protected:
    void SetUp() override
    {
        auto* lookupBase = new LookupBase;
        lookupBase->AppTitle = base->AppTitle;
        lookupBase->AppPath = base->AppPath;
        lookupBase->DataDbPath = base->DataDbPath;
        lookupBase->UserDbPath = base->UserDbPath;
        lookupBase->ConnectString = base->ConnectString;
        lookupBase->WorkstationName = base->WorkstationName;
        lookupBase->UserName = base->UserName;
        lookups = lookupBase;
        base.reset(lookupBase);
        openScreen();
    }
    void doubleClick(const char* name)
    {
        QTest::mouseDClick(ui::find<QWidget>(screen, QString::fromLatin1(name)), Qt::LeftButton);
        ui::settle();
    }
    LookupBase* lookups = nullptr;
};

TEST_F(CompanyFieldsTest, LookUpsOfStateProvinceAndPostalCodeFillTheirFields)
{
    doubleClick("Text1");
    EXPECT_TRUE(lookups->calls.isEmpty()) << "browse mode offers no look-ups";

    ui::click(screen, "BModifica");
    lookups->answer = "FR";
    doubleClick("Text1");
    ASSERT_EQ(lookups->calls.size(), 1);
    EXPECT_EQ(lookups->calls[0].kind, 21);
    EXPECT_EQ(lookups->calls[0].query, "-1");
    EXPECT_EQ(field("Text1")->text(), "FR");

    set("Text1", "I\"T");
    lookups->answer = "TO";
    doubleClick("Text2");
    ASSERT_EQ(lookups->calls.size(), 2);
    EXPECT_EQ(lookups->calls[1].kind, 22);
    EXPECT_EQ(lookups->calls[1].query, "SELECT * FROM PROVINCIE WHERE IDSTATO=\"I\"T\"");
    EXPECT_EQ(lookups->calls[1].values, QVariantList{"I\"T"});
    EXPECT_EQ(field("Text2")->text(), "TO");

    set("Text1", "IT");
    lookups->answer = "10121";
    doubleClick("Text3");
    ASSERT_EQ(lookups->calls.size(), 3);
    EXPECT_EQ(lookups->calls[2].kind, 23);
    EXPECT_EQ(lookups->calls[2].query, "SELECT * FROM CAP WHERE IDSTATO=\"IT\" AND IDPROVINCIA=\"TO\"");
    EXPECT_EQ(lookups->calls[2].values, (QVariantList{"IT", "TO"}));
    EXPECT_EQ(field("Text3")->text(), "10121");

    // Nothing chosen leaves the field as it is.
    lookups->answer.clear();
    doubleClick("Text3");
    doubleClick("Text2");
    doubleClick("Text1");
    EXPECT_EQ(field("Text3")->text(), "10121");
    EXPECT_EQ(field("Text2")->text(), "TO");
    EXPECT_EQ(field("Text1")->text(), "IT");
    EXPECT_TRUE(platform.messages.isEmpty());

    // A look-up that cannot open says why.
    lookups->error = "Impossibile aprire l'elenco delle provincie";
    lookups->answer = "XX";
    doubleClick("Text2");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, "Impossibile aprire l'elenco delle provincie");
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    EXPECT_EQ(field("Text2")->text(), "TO");
}

TEST_F(CompanyFieldsTest, TheLogoIsChosenShownAndDeletedAsZero)
{
    const QString picture = folder.file("logo.png");
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    ASSERT_TRUE(image.save(picture));
    auto* immag = ui::find<QLabel>(screen, "Immag");
    EXPECT_TRUE(immag->pixmap().isNull());

    ui::click(screen, "BModifica");
    platform.filesToChoose.enqueue(picture);
    ui::click(screen, "BInserisciImmagine");
    EXPECT_EQ(field("Immagine")->text(), picture);
    EXPECT_FALSE(immag->pixmap().isNull());
    ui::click(screen, "BSalva");
    EXPECT_EQ(stored("PathImg").toString(), picture);

    // Opened again, the screen shows the stored picture.
    screen->close();
    ui::settle();
    openScreen();
    immag = ui::find<QLabel>(screen, "Immag");
    EXPECT_FALSE(immag->pixmap().isNull());

    ui::click(screen, "BModifica");
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(screen, "BEliminaImmagine");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, "Vuoi eliminare l'immagine dell'Azienda?");
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    EXPECT_EQ(field("Immagine")->text(), picture);
    EXPECT_FALSE(immag->pixmap().isNull());

    ui::click(screen, "BEliminaImmagine");
    EXPECT_EQ(field("Immagine")->text(), "0");
    EXPECT_TRUE(immag->pixmap().isNull());
    ui::click(screen, "BSalva");
    EXPECT_EQ(stored("PathImg").toString(), "0");

    // A double-click on the picture chooses one too; a cancelled choice changes nothing.
    ui::click(screen, "BModifica");
    doubleClick("Immag");
    EXPECT_EQ(field("Immagine")->text(), "0");
    platform.filesToChoose.enqueue(picture);
    doubleClick("Immag");
    EXPECT_EQ(field("Immagine")->text(), picture);
}

TEST_F(CompanyFieldsTest, TheDocumentFolderIsChosenAndOpened)
{
    ui::click(screen, "BModifica");
    platform.foldersToChoose.enqueue("/srv/brevano/documenti");
    ui::click(screen, "Sfoglia");
    EXPECT_EQ(field("tDocumenti")->text(), "/srv/brevano/documenti");
    doubleClick("tDocumenti");
    EXPECT_EQ(platform.openedFolders, QStringList{"/srv/brevano/documenti"});
    ui::click(screen, "BSalva");
    EXPECT_EQ(stored("Path").toString(), "/srv/brevano/documenti");
}

TEST_F(CompanyFieldsTest, TypingAidsFilterKeysAndSelectNumbersOnFocus)
{
    ui::click(screen, "BModifica");
    ui::type(screen, "tDecEuro", "2a-");
    EXPECT_EQ(field("tDecEuro")->text(), "2");
    ui::type(screen, "tCambio", "12.5x");
    EXPECT_EQ(field("tCambio")->text(), "12,5");
    ui::type(screen, "tValutaBase", "eur");
    EXPECT_EQ(field("tValutaBase")->text(), "eur");

    field("tDecValutaBase")->setFocus();
    ui::settle();
    EXPECT_EQ(field("tDecValutaBase")->selectedText(), "0");
}

} // namespace
