// kxgallery run as a program: every handler an example names has code
// behind it, and the gallery's thread component counts in its display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/base/FileContents.h"
#include "host/classes/Streaming.h"
#include "host/controls/Controls.h"
#include "host/graphics/PngCodec.h"
#include "kxpack/package/KxPack.h"

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

// Where the gallery's Counter display lies on its form, as the file places it.
host::TRect CounterBounds(const fs::path& gallery) {
  (void)kx::HInstance();  // the package's classes, for the form file
  host::TReadOptions options;
  options.Unpublished = [](const host::TPropInfo&, void*, const std::string&) {};
  host::TComponent* form =
      host::ReadForm(host::ReadFileContents(gallery.string()), gallery.string(), nullptr, options);
  auto* counter = host::As<host::TControl>(form->FindComponent("Counter"));
  host::TRect bounds;
  if (counter) {
    bounds = {0, 0, counter->Width(), counter->Height()};
    for (host::TControl* c = counter; c && c != form; c = c->Parent())
      bounds = {bounds.Left + c->Left(), bounds.Top + c->Top(), bounds.Right + c->Left(),
                bounds.Bottom + c->Top()};
  }
  form->Free();
  return bounds;
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
  // The Counter display: 000000 without the handler, past it with.
  const host::TRect counter = CounterBounds(gallery);
  int differing = 0;
  for (int y = counter.Top; y < counter.Bottom; ++y)
    for (int x = counter.Left; x < counter.Right; ++x)
      differing += unbound.At(x, y) != bound.At(x, y);
  EXPECT_GT(differing, 0);
}

}  // namespace
