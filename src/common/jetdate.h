#pragma once
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// Users type and see dates day first; masked date fields read "  /  /    " when empty.
inline const QString EmptyMaskedDate = QStringLiteral("  /  /    ");
inline const QString DateInputMask = QStringLiteral("99/99/9999");

// "dd/mm/yyyy" (also d/m/yyyy) to a date; nothing for an empty mask, "31/02/2026" and the like.
std::optional<QDate> parseTypedDate(const QString& text);
// A date as users see it: "dd/mm/yyyy".
QString typedDate(const QDate& date);
// A stored day-only column ("yyyy-MM-dd", or a date) to a date; invalid when Null or unreadable.
QDate storedDate(const QVariant& value);
