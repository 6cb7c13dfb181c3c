#include <gtest/gtest.h>

#include "host/base/DateTime.h"

namespace {

struct DateCase {
  uint16_t Year, Month, Day;
  bool Valid;
};

TEST(DateTime, IsValidDateKnowsMonthLengthsAndLeapYears) {
  const DateCase cases[] = {
      {2026, 12, 31, true}, {2026, 4, 31, false}, {2024, 2, 29, true},  {2026, 2, 29, false},
      {2000, 2, 29, true},  {1900, 2, 29, false}, {2026, 13, 1, false}, {2026, 0, 1, false},
      {2026, 1, 0, false},  {0, 1, 1, false},     {9999, 12, 31, true}, {10000, 1, 1, false},
  };
  for (const DateCase& c : cases)
    EXPECT_EQ(host::IsValidDate(c.Year, c.Month, c.Day), c.Valid)
        << c.Year << '-' << c.Month << '-' << c.Day;
}

TEST(DateTime, IsValidTimeStopsBeforeTheNextUnit) {
  EXPECT_TRUE(host::IsValidTime(23, 59, 59, 999));
  EXPECT_FALSE(host::IsValidTime(24, 0, 0, 0));
  EXPECT_FALSE(host::IsValidTime(0, 60, 0, 0));
  EXPECT_FALSE(host::IsValidTime(0, 0, 60, 0));
  EXPECT_FALSE(host::IsValidTime(0, 0, 0, 1000));
}

}  // namespace
