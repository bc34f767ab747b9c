#pragma once
#include <QString>
#include <functional>

class QKeySequence;
class QWidget;

// What every window of the program does as a desktop window, whatever screen it holds: it opens
// at a size that shows its controls, comes back where the user left it on this workstation,
// answers the keyboard with the same keys on every screen, and names its controls for screen
// readers.
namespace ScreenFrame {

// The file, in the program folder, where this workstation keeps the screens' places and sizes.
QString settingsFile(const QString& programFolder);

// The width a screen's frame needs to show its whole caption beside the title-bar buttons.
int captionWidth(const QWidget* frame);

// Puts the main window's frame of a child screen back where the user left it, dividers included
// (its size is fitted to the screen when first shown).
void place(QWidget* screen, const QString& programFolder);
// Brings the frame of a screen inside the visible workspace, smaller if it must be.
void keepInside(QWidget* screen);
// The widths asked of the lists and fields serve to size the frame when it opens; afterwards the
// user may make it narrower (or tile the screens) and scroll. A list keeps a few rows' height.
void releaseMinimums(QWidget* screen);
// Keeps the frame's place and size and the screen's splitter positions for the next opening.
void remember(QWidget* screen, const QString& programFolder);

// The key of a maintenance command of the toolbars (`BNuovo`, `BSalva`, ...); empty for others.
QKeySequence commandKey(const QString& toolKey);
// Gives the toolbar commands of a screen their keys and tooltips, and lets Tab reach them;
// Ctrl+Tab and Ctrl+Shift+Tab take the focus out of its lists.
void useCommandKeys(QWidget* screen);
// Names, for screen readers, the controls that have no name of their own: from their label,
// their tooltip or their caption.
void nameControls(QWidget* root);

// Browse mode: the fields of a panel show their values read-only in normal contrast (a disabled
// field is hard to read and cannot be copied from); its buttons are disabled.
void setReadOnly(QWidget* panel, bool readOnly);

// A field whose value can be picked from a list: a double-click or F4 opens the list, and the
// field's tooltip says so.
void useLookup(QWidget* field, std::function<void()> open);

// Shows a validation message in a status panel and has screen readers announce it.
void announce(QWidget* panel, const QString& text);

} // namespace ScreenFrame
