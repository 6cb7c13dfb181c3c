// kxgallery run as a program: every handler an example names has code
// behind it, and the gallery's thread component counts in its display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/base/FileContents.h"
#include "host/graphics/PngCodec.h"

namespace {

namespace fs = std::filesystem;

class KxgalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kxgallery-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs tool on form with --png; the exit status, and stderr in err.
  int Render(const char* tool, const fs::path& form, const fs::path& png, std::string& err) const {
    const fs::path errFile = dir_ / "stderr.txt";
    const std::string command = std::string("'") + tool + "' '" + form.string() + "' --png '" +
                                png.string() + "' 2>'" + errFile.string() + "'";
    const int raw = std::system(command.c_str());
    err = host::ReadFileContents(errFile.string());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  static host::BitmapImage ReadPng(const fs::path& path) {
    const std::string data = host::ReadFileContents(path.string());
    return host::DecodePng(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  }

  fs::path dir_;
};

TEST_F(KxgalleryTest, EveryHandlerTheExamplesNameIsBound) {
  for (const auto& entry : fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".kxf") continue;
    std::string err;
    EXPECT_EQ(Render(KXGALLERY_PATH, entry.path(), dir_ / "out.png", err), 0) << entry.path();
    EXPECT_EQ(err, "") << entry.path();
  }
}

TEST_F(KxgalleryTest, TheGallerysThreadCountsInItsDisplay) {
  const fs::path gallery = fs::path(KX_SOURCE_DIR) / "examples" / "gallery.kxf";
  std::string err;
  ASSERT_EQ(Render(KXVIEW_PATH, gallery, dir_ / "unbound.png", err), 0) << err;
  ASSERT_EQ(Render(KXGALLERY_PATH, gallery, dir_ / "bound.png", err), 0) << err;
  const host::BitmapImage unbound = ReadPng(dir_ / "unbound.png"),
                          bound = ReadPng(dir_ / "bound.png");
  ASSERT_EQ(unbound.Width, bound.Width);
  ASSERT_EQ(unbound.Height, bound.Height);
  // The counter (the Counter display in the Timing panel): 000000 without
  // the handler, past it with.
  int differing = 0;
  for (int y = 620; y < 644; ++y)
    for (int x = 26; x < 114; ++x) differing += unbound.At(x, y) != bound.At(x, y);
  EXPECT_GT(differing, 0);
}

}  // namespace
