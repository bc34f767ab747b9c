#include "components/qtplatform.h"

#include <QtWidgets> // the real boxes and dialogs, with the core
#include <gtest/gtest.h>

namespace {

// Answers the next message box from inside its event loop, after noting its text, title, icon,
// buttons, default button and whether the pointer over it is busy.
void answerNextBox(QString& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = QStringLiteral("%1|%2|%3|%4|%5|%6").arg(box->text(), box->windowTitle()).arg(int(box->icon()))
                   .arg(int(box->standardButtons())).arg(int(box->standardButton(box->defaultButton()))).arg(bool(QApplication::overrideCursor()));
        box->button(answer)->click();
    });
}

QString box(const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton)
{
    return QStringLiteral("%1|Brevano V|%2|%3|%4|0").arg(text).arg(int(icon)).arg(int(buttons)).arg(int(defaultButton));  // the normal pointer
}

TEST(QtPlatform, MessageBoxesKeepTheirTextIconTitleAndButtons)
{
    QtPlatform platform;
    platform.setHourglass(true);
    QString seen;
    answerNextBox(seen, QMessageBox::No);
    const QString text = QStringLiteral("Prima riga") + QChar(13) + QStringLiteral("Seconda riga");
    EXPECT_EQ(platform.message(text, Platform::Icon::Critical, Platform::Buttons::YesNo, "Brevano V"), Platform::Answer::No);
    EXPECT_EQ(seen, box(text, QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes));

    // A question that destroys data: Enter answers No.
    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(platform.askDestructive("Cancellare?", "Brevano V"));
    EXPECT_EQ(seen, box("Cancellare?", QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, QMessageBox::No));
    EXPECT_TRUE(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor)
        << "boxes shown while the program works leave the busy pointer as they found it";
}

// The real file dialog: kinds, sizes and moments in Italian whatever the machine's conventions; the folder chosen.
TEST(QtPlatform, TheFolderDialogSpeaksItalianAndGivesTheFolderChosen)
{
    const QString folder = QCoreApplication::applicationDirPath();
    QString kinds;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (const QString& path : {folder, folder + "/CTestTestfile.cmake", QStringLiteral("/")}) kinds += dialog->iconProvider()->type(QFileInfo(path)) + u'|';
        const auto* files = qobject_cast<QFileSystemModel*>(dialog->proxyModel()->sourceModel());
        for (int column : {1, 3}) kinds += dialog->proxyModel()->mapFromSource(files->index(folder + "/CTestTestfile.cmake", column)).data().toString() + u'|';
        dialog->selectFile(folder);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible()) dialog->reject();  // not taken: the test fails at once
    });
    EXPECT_EQ(QtPlatform().chooseFolder(nullptr, folder + "/.."), folder);
    EXPECT_TRUE(QRegularExpression("^Cartella\\|File CMAKE\\|Unità\\|\\d+,\\d+ KiB\\|\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d\\|$").match(kinds).hasMatch()) << kinds.toStdString();
}

} // namespace
