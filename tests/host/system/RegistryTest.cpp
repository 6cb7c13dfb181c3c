#include "host/system/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "host/base/FileContents.h"
#include "host/system/RegistryStore.h"
#include "tests/host/system/TempRegistry.h"

namespace host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class RegistryTest : public ::testing::Test {
 protected:
  std::string FileText() const { return ReadFileContents(temp_.Dir() + "/HKEY_CURRENT_USER.reg"); }
  TempRegistry temp_;
};

TEST_F(RegistryTest, KeysAndValues) {
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey("Software\\Orvane", false));
  EXPECT_FALSE(reg.KeyExists("Software"));

  ASSERT_TRUE(reg.OpenKey("\\Software\\Orvane\\App\\", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Orvane\\App");
  reg.WriteString("Lang", "fr");
  reg.WriteString("Size", "10");
  reg.WriteString("lang", "de");  // names ignore case and keep the first spelling
  EXPECT_EQ(reg.ReadString("LANG"), "de");
  EXPECT_THAT(reg.GetValueNames(), ElementsAre("Lang", "Size"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_FALSE(reg.ValueExists("Missing"));

  EXPECT_TRUE(reg.DeleteValue("size"));
  EXPECT_FALSE(reg.DeleteValue("size"));
  EXPECT_FALSE(reg.ValueExists("Size"));

  // Relative paths go below the open key; a leading backslash starts at the root.
  ASSERT_TRUE(reg.OpenKey("Sub", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Orvane\\App\\Sub");
  ASSERT_TRUE(reg.OpenKey("\\software\\ORVANE", false));
  EXPECT_THAT(reg.GetKeyNames(), ElementsAre("App"));

  reg.CloseKey();
  EXPECT_TRUE(reg.KeyExists("Software\\Orvane\\App\\Sub"));
  EXPECT_TRUE(reg.DeleteKey("Software\\Orvane"));  // with its subkeys
  EXPECT_FALSE(reg.KeyExists("Software\\Orvane\\App\\Sub"));
  EXPECT_FALSE(reg.KeyExists("Software\\Orvane"));
  EXPECT_TRUE(reg.KeyExists("Software"));
  EXPECT_FALSE(reg.DeleteKey("Software\\Orvane"));
}

TEST_F(RegistryTest, RootKeysAreSeparateStores) {
  TRegistry user;
  ASSERT_TRUE(user.OpenKey("K", true));
  user.WriteString("V", "user");
  TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(machine.KeyExists("K"));
  machine.SetRootKey(0x1234);
  EXPECT_THROW(machine.OpenKey("K", false), ERegistryException);
}

TEST_F(RegistryTest, EveryTextSurvivesTheFile) {
  const std::string texts[] = {"",           "plain",      "a=b=c", "[not a key]", "50%",
                               "two\nlines", "tab\tand\r", "\x7f",  "ünïcödé",     " padded "};
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Odd [key] = %41", true));
    for (size_t i = 0; i < std::size(texts); ++i) reg.WriteString(texts[i], texts[i] + "!");
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Odd [key] = %41", false));
  for (const std::string& t : texts) EXPECT_EQ(reg.ReadString(t), t + "!") << t;
  EXPECT_EQ(reg.GetValueNames().size(), std::size(texts));
}

TEST_F(RegistryTest, ChangesAreVisibleToOtherObjectsAtOnce) {
  TRegistry a, b;
  ASSERT_TRUE(a.OpenKey("Shared", true));
  ASSERT_TRUE(b.OpenKey("Shared", false));
  a.WriteString("X", "1");
  EXPECT_EQ(b.ReadString("X"), "1");
  b.WriteString("X", "2");
  EXPECT_EQ(a.ReadString("X"), "2");

  // A key deleted under an open registry object cannot take values any more.
  a.DeleteKey("\\Shared");
  EXPECT_THROW(b.WriteString("X", "3"), ERegistryException);
}

TEST_F(RegistryTest, ReadOnlyAccessRefusesWrites) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.WriteString("V", "kept");
  }
  TRegistry reg(KEY_READ);
  ASSERT_TRUE(reg.OpenKey("K", false));
  try {
    reg.WriteString("V", "changed");
    FAIL() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_THAT(e.Message(), HasSubstr("Failed to set data for 'V'"));
  }
  EXPECT_FALSE(reg.DeleteValue("V"));
  EXPECT_EQ(reg.ReadString("V"), "kept");
}

TEST_F(RegistryTest, DamagedFileIsReportedAndLeftAlone) {
  std::filesystem::create_directories(temp_.Dir());
  const std::string damaged = "KxPack registry 1\n[K]\nno separator here\n";
  std::ofstream(temp_.Dir() + "/HKEY_CURRENT_USER.reg") << damaged;
  TRegistry reg;
  try {
    reg.OpenKey("K", false);
    FAIL() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_THAT(e.Message(), HasSubstr("HKEY_CURRENT_USER.reg is damaged at line 3"));
  }
  EXPECT_THROW(reg.WriteString("V", "x"), ERegistryException);
  EXPECT_EQ(FileText(), damaged);
}

TEST_F(RegistryTest, AMissingFileReadsAsEmptyAndAnUnreadableOneRaises) {
  std::filesystem::create_directories(temp_.Dir());
  EXPECT_FALSE(TRegistry().ValueExists("V"));
  // A directory where the file should be, and a file where the directory
  // should be: neither is a registry that was never written.
  std::filesystem::create_directories(temp_.Dir() + "/HKEY_CURRENT_USER.reg");
  EXPECT_THROW(TRegistry().ValueExists("V"), ERegistryException);
  const std::string blocker = temp_.Dir() + "/blocker";
  std::ofstream(blocker) << "x";
  registry::SetRegistryDirectory(blocker + "/registry");
  EXPECT_THROW(TRegistry().ValueExists("V"), ERegistryException);
}

TEST_F(RegistryTest, UnwritableLocationRaises) {
  // A regular file where the directory should be: nothing can be created there.
  std::filesystem::create_directories(temp_.Dir());
  const std::string blocker = temp_.Dir() + "/blocker";
  std::ofstream(blocker) << "x";
  registry::SetRegistryDirectory(blocker + "/registry");
  TRegistry reg;
  try {
    reg.WriteString("V", "x");
    FAIL() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_THAT(e.Message(), HasSubstr("Failed to set data for 'V': Cannot write registry file"));
  }
}

// A writer killed in the middle of writing the file (here by the file-size
// limit, SIGXFSZ) leaves the previous contents whole and readable.
TEST_F(RegistryTest, CrashInMidWriteKeepsPreviousContents) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("K", true));
  reg.WriteString("Old", "value");
  const std::string before = FileText();

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    TRegistry writer;
    writer.OpenKey("K", false);
    writer.WriteString("Big", std::string(64 * 1024, 'x'));
    _exit(0);  // not reached: the write past the limit kills the process
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was expected to die mid-write";
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);

  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(reg.ReadString("Old"), "value");
  EXPECT_FALSE(reg.ValueExists("Big"));
  reg.WriteString("After", "ok");  // the store is still usable
  EXPECT_EQ(reg.ReadString("After"), "ok");
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kValues = 100;
  auto writeMany = [](const char* prefix) {
    TRegistry writer;
    if (!writer.OpenKey("Race", true)) _exit(2);
    for (int i = 0; i < kValues; ++i)
      writer.WriteString(prefix + std::to_string(i), std::to_string(i));
    _exit(0);
  };
  pid_t children[2];
  const char* prefixes[2] = {"A", "B"};
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) writeMany(prefixes[c]);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Race", false));
  EXPECT_EQ(reg.GetValueNames().size(), 2u * kValues);
  for (const char* prefix : prefixes)
    for (int i = 0; i < kValues; ++i)
      EXPECT_EQ(reg.ReadString(prefix + std::to_string(i)), std::to_string(i));
}

TEST(RegistryKeyPath, Normalize) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"\\", ""}, {"A", "A"}, {"\\A\\\\B\\", "A\\B"}, {"A\\B", "A\\B"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(registry::NormalizeKeyPath(in), out) << in;
}

}  // namespace
}  // namespace host
