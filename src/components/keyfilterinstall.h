#pragma once
#include <QChar>
#include <QString>
#include <functional>

class QWidget;

// Routes every key typed in a widget through a filter, which gives the key back to let it in or a
// null character to drop it.
using KeyFilter = std::function<QChar(QChar key, const QString& textSoFar, int cursorPosition)>;
void installKeyFilter(QWidget* widget, KeyFilter filter);
