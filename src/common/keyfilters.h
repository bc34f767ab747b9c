#pragma once
#include <QChar>
#include <QString>

// What each typing aid accepts (a null character means the key is dropped):
//  - text: every printable character and backspace; other control characters are dropped.
//    Quotes are allowed: values are never spliced into queries.
//  - digit: the digits 0-9 and backspace.
//  - decimal: digits, backspace, one minus sign at the start, the points that group thousands
//    and one decimal comma, as an Italian types "1.234,56" (typednumber.h reads the whole).
QChar filterTextKey(QChar key);
// A text that arrives whole (a paste) as the text aid lets it in: without control characters,
// NUL and line breaks included, as typing them would have dropped them.
QString withoutControlCharacters(const QString& text);
QChar filterDigitKey(QChar key);
QChar filterDecimalKey(QChar key, const QString& textSoFar = QString(), int cursorPosition = -1);
