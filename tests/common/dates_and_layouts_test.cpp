#include "common/jetdate.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedDates, DayFirstDatesAreReadAndInvalidOnesRecognised)
{
    EXPECT_EQ(parseTypedDate("05/03/2026"), QDate(2026, 3, 5));
    EXPECT_EQ(parseTypedDate("5/3/2026"), QDate(2026, 3, 5));
    EXPECT_FALSE(parseTypedDate("31/02/2026"));
    EXPECT_FALSE(parseTypedDate(EmptyMaskedDate));
}

} // namespace
