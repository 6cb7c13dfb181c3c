// Golden pictures: every example form, driven by its script in
// tests/golden/, must show exactly the committed picture. A mismatch leaves
// NAME.actual.png and NAME.diff.png (differing pixels red over a dimmed copy
// of the expected picture) in the build's test output and names them.
// `./kx golden` writes the pictures again after a deliberate change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/graphics/PngCodec.h"

namespace {

namespace fs = std::filesystem;

host::BitmapImage ReadPng(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string data = bytes.str();
  return host::DecodePng(reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

void WritePng(const host::BitmapImage& image, const fs::path& path) {
  const std::vector<uint8_t> png = host::EncodePng(image);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

// Differing pixels red, equal ones a dimmed grey of the expected picture.
host::BitmapImage Diff(const host::BitmapImage& expected, const host::BitmapImage& actual) {
  host::BitmapImage diff = expected;
  for (size_t i = 0; i < diff.Pixels.size(); ++i) {
    const uint32_t p = expected.Pixels[i];
    const uint32_t grey = (((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3) / 3 + 40;
    diff.Pixels[i] = actual.Pixels[i] == p ? grey * 0x010101u : 0xFF0000u;
  }
  return diff;
}

TEST(GoldenTest, EveryExampleShowsItsGoldenPictureAfterItsScript) {
  const fs::path golden = fs::path(KX_SOURCE_DIR) / "tests" / "golden";
  const fs::path output = KX_TEST_OUTPUT_DIR;
  fs::create_directories(output);
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".kxf") continue;
    ++examples;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    const fs::path script = golden / (name + ".script"), expectedPng = golden / (name + ".png");
    const fs::path actualPng = output / (name + ".actual.png"),
                   diffPng = output / (name + ".diff.png");
    fs::remove(actualPng);
    fs::remove(diffPng);
    ASSERT_TRUE(fs::exists(script) && fs::exists(expectedPng))
        << "no script or picture in " << golden << " for " << name << "; write both (./kx golden)";
    const std::string command = "'" KXVIEW_PATH "' '" + entry.path().string() + "' --script '" +
                                script.string() + "' --png '" + actualPng.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const host::BitmapImage expected = ReadPng(expectedPng), actual = ReadPng(actualPng);
    const bool sameSize = expected.Width == actual.Width && expected.Height == actual.Height;
    if (sameSize && expected.Pixels == actual.Pixels) {
      fs::remove(actualPng);
      continue;
    }
    if (sameSize) WritePng(Diff(expected, actual), diffPng);
    ADD_FAILURE() << name << " differs from " << expectedPng << " (" << expected.Width << " x "
                  << expected.Height << " expected, " << actual.Width << " x " << actual.Height
                  << " found); see " << actualPng << (sameSize ? " and " + diffPng.string() : "");
  }
  EXPECT_GT(examples, 0);
}

}  // namespace
