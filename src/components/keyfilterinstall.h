#pragma once
#include <QChar>
#include <QString>
#include <functional>

class QWidget;

// Routes every key typed in a widget through a filter; the typed character is replaced by the
// filter's result (or dropped).
using KeyFilter = std::function<QChar(QChar key, const QString& textSoFar, int cursorPosition)>;
void installKeyFilter(QWidget* widget, KeyFilter filter);
