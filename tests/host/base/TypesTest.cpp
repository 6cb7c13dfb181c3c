// Integer and rectangle arithmetic of the basic types: intersections, and
// edges that saturate at the 32-bit range.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/base/Types.h"

namespace {

using host::TRect;

TEST(Saturating, Int64ToInt32KeepsInRangeValuesAndPinsTheRest) {
  struct Case {
    int64_t in;
    int32_t out;
  };
  const Case cases[] = {
      {0, 0},
      {-7, -7},
      {INT32_MAX, INT32_MAX},
      {INT32_MIN, INT32_MIN},
      {int64_t{INT32_MAX} + 1, INT32_MAX},
      {int64_t{INT32_MIN} - 1, INT32_MIN},
      {INT64_MAX, INT32_MAX},
      {INT64_MIN, INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(host::SaturateToInt32(c.in), c.out) << c.in;
}

TEST(Saturating, BoundsAndShrinkPinTheEdgesInsteadOfWrapping) {
  EXPECT_EQ(host::Bounds(10, 20, 30, 40), (TRect{10, 20, 40, 60}));
  EXPECT_EQ(host::Bounds(INT32_MAX - 1, -5, 100, INT32_MAX),
            (TRect{INT32_MAX - 1, -5, INT32_MAX, INT32_MAX - 5}));
  EXPECT_EQ(host::Bounds(INT32_MIN, INT32_MIN, -1, INT32_MIN),
            (TRect{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}));

  struct Case {
    TRect in;
    int64_t by;
    TRect out;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, 2, {2, 2, 8, 8}},
      {{0, 0, 10, 10}, -3, {-3, -3, 13, 13}},
      {{0, 0, 10, 10}, INT32_MAX, {INT32_MAX, INT32_MAX, 10 - INT32_MAX, 10 - INT32_MAX}},
      {{5, 5, -5, -5}, INT32_MAX, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
       -1,
       {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
  };
  for (const Case& c : cases) {
    TRect r = c.in;
    host::ShrinkRect(r, c.by);
    EXPECT_EQ(r, c.out) << c.by;
  }
}

TEST(Rectangles, IntersectionIsTheSharedPartAndEmptyWhenTheyDoNotMeet) {
  struct Case {
    TRect a, b, out;
    bool empty;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, false},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}, false},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10}, true},  // edges touch only
      {{0, 0, 10, 10}, {20, 20, 30, 30}, {20, 20, 10, 10}, true},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {-1, -2, 3, 4}, {-1, -2, 3, 4}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host::Intersection(c.a, c.b), c.out);
    EXPECT_EQ(host::Intersection(c.b, c.a), c.out);
    EXPECT_EQ(host::Intersection(c.a, c.b).IsEmpty(), c.empty);
  }
}

}  // namespace
