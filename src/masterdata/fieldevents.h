#pragma once
#include <functional>

class QWidget;

// Small event hooks for the fields of a screen.
void onDoubleClick(QWidget* widget, std::function<void()> action);
void onFocusIn(QWidget* widget, std::function<void()> action);
