// A picture of the main window with its menus, bands, status bar and a screen open, saved as
// mainwindow.png next to the test program (the copy under docs/ comes from there).
#include "mainwindowfixture.h"

#include <QImage>
#include <QSet>
#include <QMenuBar>
#include <QStatusBar>

TEST_F(MainWindowTest, APictureOfTheMainWindowShowsMenusBandsAndStatusBar)
{
    platform.todayDate = QDate(2026, 3, 7);
    Principale& w = openWindow();
    w.resize(1280, 800);
    click(QStringLiteral("BDDT"));
    QWidget* documents = screen(QStringLiteral("objddt"));
    ASSERT_TRUE(documents);
    documents->parentWidget()->setGeometry(40, 30, 860, 460);
    ui::settle();
    const QImage picture = w.grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1280, 800));
    // The menu bar and the status bar carry painted text, not a plain fill.
    auto colours = [&picture](const QRect& area) {
        QSet<QRgb> seen;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen.insert(picture.pixel(x, y));
        return seen.size();
    };
    EXPECT_GT(colours(w.menuBar()->geometry()), 4);
    EXPECT_GT(colours(w.statusBar()->geometry()), 4);
    EXPECT_TRUE(picture.save(QCoreApplication::applicationDirPath() + QStringLiteral("/mainwindow.png")));
}
