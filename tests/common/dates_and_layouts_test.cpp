#include "common/jetdate.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedDates, DayFirstDatesAreReadAndInvalidOnesRecognised)
{
    EXPECT_EQ(parseTypedDate("05/03/2026"), QDate(2026, 3, 5));
    EXPECT_EQ(parseTypedDate("5/3/2026"), QDate(2026, 3, 5));
    EXPECT_FALSE(parseTypedDate("31/02/2026"));
    EXPECT_FALSE(parseTypedDate(EmptyMaskedDate));

    EXPECT_EQ(storedDate(QStringLiteral("2026-03-05")), QDate(2026, 3, 5));
    EXPECT_EQ(typedDate(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
}

} // namespace
