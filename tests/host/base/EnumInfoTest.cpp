#include <gtest/gtest.h>

#include "host/base/EnumInfo.h"

namespace demo {
HOST_ENUM(TShade, shLight, shMedium, shDark)
}

TEST(EnumInfo, NamesAndOrdinalsFollowDeclarationOrder) {
  using namespace demo;
  EXPECT_EQ(sizeof(TShade), 1u);
  EXPECT_EQ(host::EnumName(shDark), "shDark");
  const auto& info = EnumInfoOf(TShade{});
  EXPECT_EQ(info.TypeName(), "TShade");
  EXPECT_EQ(info.Count(), 3);
  EXPECT_EQ(info.Ordinal("SHMEDIUM"), 1);
  EXPECT_FALSE(info.Ordinal("shBright").has_value());
  EXPECT_EQ(info.Name(7), "");
}
