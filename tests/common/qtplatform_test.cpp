#include "components/qtplatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next message box from inside its event loop, after noting what it shows.
struct SeenBox
{
    QString text, title;
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
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

    // A question that destroys data: Enter answers No.
    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(platform.askDestructive("Cancellare?", "Brevano V"));
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);

    // No title of its own: the program's title, never the executable's name.
    answerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(platform.message("Avviso", Platform::Icon::Information, Platform::Buttons::Ok, QString()),
              Platform::Answer::Ok);
    EXPECT_EQ(seen.title, QStringLiteral("Brevano V"));
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, int(QMessageBox::Ok));
}

} // namespace
