// Virtual keys by the host's names, both ways.
#include <gtest/gtest.h>

#include "host/platform/VirtualKeys.h"

namespace host {
namespace {

TEST(VirtualKeysTest, NamesAndCodesGoBothWays) {
  const std::pair<const char*, uint16_t> named[] = {{"VK_RETURN", VK_RETURN},
                                                    {"VK_LEFT", VK_LEFT},
                                                    {"VK_SHIFT", VK_SHIFT},
                                                    {"VK_F1", VK_F1},
                                                    {"VK_F12", VK_F12},
                                                    {"A", 'A'},
                                                    {"Z", 'Z'},
                                                    {"0", '0'},
                                                    {"VK_DELETE", VK_DELETE}};
  for (const auto& [name, key] : named) {
    SCOPED_TRACE(name);
    EXPECT_EQ(VirtualKeyByName(name), key);
    EXPECT_EQ(VirtualKeyName(key), name);
  }
}

TEST(VirtualKeysTest, NamesTheHostDoesNotHaveFindNothing) {
  for (const char* name :
       {"", "a", "VK_F0", "VK_F13", "VK_F01", "VK_F1x", "VK_NOPE", "AB", "vk_return"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(VirtualKeyByName(name), std::nullopt);
  }
  EXPECT_EQ(VirtualKeyName(0xFF), "255");
}

}  // namespace
}  // namespace host
