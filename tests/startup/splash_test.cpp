// The splash screen between the start-up and the sign-in.
#include "signinfixture.h"
#include "support/widgets.h"

#include "startup/splash.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

class Splash : public StartedProgram
{
protected:
    frmSplash* openSplash()
    {
        splash = new frmSplash(appGlobals());
        splash->show();
        ui::settle();
        return splash;
    }

    static QWidget* signInWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("Accesso") && window->isVisible())
                return window;
        return nullptr;
    }

    QPointer<frmSplash> splash;
};

} // namespace

TEST_F(Splash, IsSizedToItsPictureAndInvitesToGoOn)
{
    const QSize picture = QImage(folder.file("Splash.bmp")).size();
    ASSERT_FALSE(picture.isEmpty());
    openSplash();
    EXPECT_EQ(splash->size(), picture);
    EXPECT_EQ(ui::find<QLabel>(splash, QStringLiteral("Picture1"))->size(), picture);
    EXPECT_EQ(ui::text(splash, QStringLiteral("Label1")), QStringLiteral("Clicca qui per proseguire, Esc per uscire"));
    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(Splash, AClickOnThePictureGivesWayToTheSignIn)
{
    openSplash();
    QTest::mouseClick(ui::find<QLabel>(splash, QStringLiteral("Picture1")), Qt::LeftButton);
    ui::settle();
    EXPECT_TRUE(splash.isNull());
    EXPECT_NE(signInWindow(), nullptr);
}

TEST_F(Splash, EscClosesTheSplashAloneAndEnterGoesOn)
{
    openSplash();
    ui::key(splash, QStringLiteral("Picture1"), Qt::Key_Escape, QStringLiteral("\x1b"));
    ui::settle();
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(signInWindow(), nullptr);
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());

    openSplash();
    ui::key(splash, QStringLiteral("Picture1"), Qt::Key_Return, QStringLiteral("\r"));
    ui::settle();
    EXPECT_TRUE(splash.isNull());
    EXPECT_NE(signInWindow(), nullptr);
}

TEST_F(Splash, AMissingPictureIsReportedAndTheSplashStillShows)
{
    ASSERT_TRUE(QFile::remove(folder.file("Splash.bmp")));
    openSplash();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|critical|ok|Brevano V|Impossibile trovare l'immagine di avvio"));
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(splash->size().isEmpty());
}
