// The committed artwork is exactly what tools/kxartgen draws: running the
// generator again reproduces every file byte for byte, so the artwork can be
// reviewed and changed as code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/base/FileContents.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) { return host::ReadFileContents(p.string()); }

TEST(ArtworkGenerator, ReproducesTheCommittedFiles) {
  const fs::path generator =
      fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools/kxartgen/kxartgen";
  if (!fs::exists(generator)) GTEST_SKIP() << "kxartgen not built";
  const fs::path out = fs::temp_directory_path() / ("kxartgen-test-" + std::to_string(getpid()));
  fs::create_directories(out);
  const std::string command = generator.string() + " " + out.string() + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);

  const fs::path committed = fs::path(KX_SOURCE_DIR) / "kxpack/resources";
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(out)) {
    const fs::path name = entry.path().filename();
    EXPECT_EQ(ReadAll(entry.path()), ReadAll(committed / name)) << name << " differs";
    ++compared;
  }
  for (const auto& entry : fs::directory_iterator(committed)) {
    if (entry.path().extension() != ".bmp") continue;
    EXPECT_TRUE(fs::exists(out / entry.path().filename())) << entry.path() << " not generated";
  }
  EXPECT_EQ(compared, 67);
  fs::remove_all(out);
}

}  // namespace
