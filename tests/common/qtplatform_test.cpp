#include "components/qtplatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next message box from inside its event loop, after noting what it shows.
struct SeenBox
{
    QString text, title, yesText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

void answerNextBox(SeenBox& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons = int(box->standardButtons());
        if (auto* yes = box->button(QMessageBox::Yes))
            seen.yesText = yes->text();
        seen.defaultButton = box->standardButton(static_cast<QAbstractButton*>(box->defaultButton()));
        box->button(answer)->click();
    });
}

TEST(QtPlatform, MessageBoxesKeepTheirTextIconTitleAndButtons)
{
    QtPlatform platform;
    SeenBox seen;
    answerNextBox(seen, QMessageBox::No);
    const QString text = QStringLiteral("Prima riga") + QChar(13) + QStringLiteral("Seconda riga");
    EXPECT_EQ(platform.message(text, Platform::Icon::Critical, Platform::Buttons::YesNo, "Brevano V"),
              Platform::Answer::No);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.title, QStringLiteral("Brevano V"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, int(QMessageBox::Yes | QMessageBox::No));
    EXPECT_EQ(seen.yesText, QStringLiteral("&Sì"));
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

    // A question that destroys data: Enter answers No.
    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(platform.askDestructive("Cancellare?", "Brevano V"));
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);

    // No title of its own: the program's title, never the executable's name. OK only, information icon.
    answerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(platform.message("Avviso", Platform::Icon::Information, Platform::Buttons::Ok, QString()),
              Platform::Answer::Ok);
    EXPECT_EQ(seen.title, QStringLiteral("Brevano V"));
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, int(QMessageBox::Ok));
}

TEST(QtPlatform, HourglassIsRestoredAroundABoxAndFiltersAreTranslated)
{
    QtPlatform platform;
    platform.setHourglass(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    bool busyDuringBox = true;
    QTimer::singleShot(0, [&]() {
        busyDuringBox = QApplication::overrideCursor() != nullptr;
        qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Ok)->click();
    });
    platform.message("x", Platform::Icon::None, Platform::Buttons::Ok, "t");
    EXPECT_FALSE(busyDuringBox);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    platform.setHourglass(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_EQ(QtPlatform::qtFilter("Database di Brevano IV (BrevanoIV.mdb)|BrevanoIV.mdb"),
              QStringLiteral("Database di Brevano IV (BrevanoIV.mdb) (BrevanoIV.mdb)"));
    EXPECT_EQ(QtPlatform::qtFilter("Pictures (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif"),
              QStringLiteral("Pictures (*.bmp;*.ico;*.jpg;*.gif) (*.bmp *.ico *.jpg *.gif)"));
    EXPECT_FALSE(platform.isLocalPath("//server/dati/"));
    EXPECT_TRUE(platform.isLocalPath(QDir::tempPath()));
}

} // namespace

// Qt's own open-file dialog speaks Italian, as the program's own screens do.
TEST(QtPlatform, QtsOwnDialogsSpeakItalian)
{
    QtPlatform platform;
    QStringList shown;
    QTimer::singleShot(50, [&shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name)))
                shown << label->text();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (!button->text().isEmpty())
                shown << button->text();
        dialog->close();
    });
    platform.chooseOpenFile(nullptr, QStringLiteral("Immagini (*.jpg)|*.jpg"));
    for (const char* italian : {"Cerca in:", "&Nome del file:", "&Apri", "Annulla"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(italian))) << italian << " in " << shown.join(u'|').toStdString();
}
