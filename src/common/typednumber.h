#pragma once
#include <QString>
#include <optional>

// Numbers as an Italian types them: '.' groups the thousands, ',' comes before the decimals.
// "1.234,56", "1234,56", "1234" and "-0,5" read; "1.23,4", "12.5" and "1,2,3" do not.
enum class TypedNumber {
    Readable,    // a whole number as typed
    Unfinished,  // on the way to one ("", "-", "1.2", "12,")
    Unreadable,  // no further typing makes it a number
};

// maxDecimals: how many decimals the field holds (an amount in lire none, in euro the company's
// decimals); -1 for no limit.
TypedNumber typedNumberState(const QString& text, int maxDecimals = -1);
// The value of a readable text; nothing for any other.
std::optional<double> readTypedNumber(const QString& text, int maxDecimals = -1);

// The same amount in the other currency: amount × factor, rounded to `decimals` places, halves
// away from zero (the rounding of every amount the program computes).
double convertAmount(double amount, double factor, int decimals);
