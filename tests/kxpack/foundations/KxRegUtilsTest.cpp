#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/system/Dialogs.h"
#include "kxpack/foundations/KxRegUtils.h"
#include "tests/host/system/TempRegistry.h"

namespace kx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class KxRegUtils : public ::testing::Test {
 protected:
  KxRegUtils() {
    previous_ = host::SetShowMessageHook([this](const std::string& m) { messages_.push_back(m); });
  }
  ~KxRegUtils() override { host::SetShowMessageHook(previous_); }

  host::TempRegistry temp_;
  std::vector<std::string> messages_;
  host::TShowMessageHook previous_;
};

TEST_F(KxRegUtils, ReadGivesDefaultWithoutCreatingTheKey) {
  std::string value = "stale";
  EXPECT_FALSE(RegRead(host::HKEY_CURRENT_USER, "Software\\Kx", "Lang", "us", value));
  EXPECT_EQ(value, "us");
  host::TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("Software\\Kx"));
  EXPECT_THAT(messages_, IsEmpty());
}

TEST_F(KxRegUtils, WriteReadDelete) {
  EXPECT_TRUE(RegWrite(host::HKEY_CURRENT_USER, "Software\\Kx", "Lang", "fr"));
  std::string value;
  EXPECT_TRUE(RegRead(host::HKEY_CURRENT_USER, "Software\\Kx", "Lang", "us", value));
  EXPECT_EQ(value, "fr");

  EXPECT_TRUE(RegDelValue(host::HKEY_CURRENT_USER, "Software\\Kx", "Lang"));
  // The key is there but the value is not: the caller's default stands.
  EXPECT_TRUE(RegRead(host::HKEY_CURRENT_USER, "Software\\Kx", "Lang", "us", value));
  EXPECT_EQ(value, "us");

  // Deleting from a missing key creates the key.
  EXPECT_TRUE(RegDelValue(host::HKEY_CURRENT_USER, "Software\\Other", "X"));
  EXPECT_TRUE(host::TRegistry().KeyExists("Software\\Other"));
  EXPECT_THAT(messages_, IsEmpty());
}

TEST_F(KxRegUtils, StoreFailuresShowAMessageAndReturnFalse) {
  std::filesystem::create_directories(temp_.Dir());
  std::ofstream(temp_.Dir() + "/HKEY_CURRENT_USER.reg") << "not a registry\n";

  std::string value;
  EXPECT_FALSE(RegRead(host::HKEY_CURRENT_USER, "K", "N", "dflt", value));
  EXPECT_EQ(value, "dflt");
  EXPECT_FALSE(RegWrite(host::HKEY_CURRENT_USER, "K", "N", "v"));
  EXPECT_FALSE(RegDelValue(host::HKEY_CURRENT_USER, "K", "N"));
  // The prefix is followed directly by the registry's own message.
  EXPECT_THAT(messages_, ElementsAre(StartsWith("Error to read the Key ValueRegistry file "),
                                     StartsWith("Error to write the Key ValueRegistry file "),
                                     StartsWith("Error to write the Key ValueRegistry file ")));
}

}  // namespace
}  // namespace kx
