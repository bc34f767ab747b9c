#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// The bit of a band's flag word that keeps the band where it is.
constexpr qint32 LockedBandFlag = 256;

// What the layout file "layout.tb" keeps of the menu bar: the bands' places and visibility
// (QMainWindow::saveState), the window's place and size, the lock item's check mark and each
// band's flag word (LockedBandFlag: the band stays where it is).
// The file is JSON; a missing, unreadable or damaged file reads as nothing, and the window
// keeps its default layout.
struct MenuLayout
{
    QByteArray windowState;
    QByteArray windowGeometry;  // where the user left the window (QWidget::saveGeometry); may be empty
    bool locked = false;
    QHash<QString, qint32> bandFlags;
};

std::optional<MenuLayout> loadMenuLayout(const QString& file);
// Throws std::runtime_error when the file cannot be written.
void saveMenuLayout(const QString& file, const MenuLayout& layout);
