#include "host/graphics/BmpCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "host/base/SysUtils.h"
#include "tests/host/images/BmpFileBuilder.h"

namespace host {
namespace {

using test::BmpFields;
using test::BuildBmp;

std::vector<uint32_t> Colours(size_t n) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < n; ++i) out.push_back(uint32_t(i * 0x0B1F29u + 0x102030u) & 0xFFFFFF);
  return out;
}

// An image whose pixels cycle through the given colours, so that every row has
// a different phase and a mistake in row order or padding shows.
BitmapImage Pattern(int32_t w, int32_t h, const std::vector<uint32_t>& colours) {
  BitmapImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) image.At(x, y) = colours[(x + 3 * y) % colours.size()];
  return image;
}

// Rewrites a bottom-up file (as EncodeBmp writes) as a top-down one.
std::vector<uint8_t> ToTopDown(const std::vector<uint8_t>& file, int32_t height) {
  const uint32_t offBits = file[10] | file[11] << 8 | file[12] << 16 | file[13] << 24;
  const size_t stride = (file.size() - offBits) / height;
  std::vector<uint8_t> out(file.begin(), file.begin() + offBits);
  const uint32_t negative = uint32_t(-height);
  for (int i = 0; i < 4; ++i) out[22 + i] = uint8_t(negative >> (8 * i));
  for (int32_t r = height - 1; r >= 0; --r)
    out.insert(out.end(), file.begin() + offBits + r * stride,
               file.begin() + offBits + (r + 1) * stride);
  return out;
}

struct RoundTrip {
  TPixelFormat format;
  size_t colours;
  int bpp;
};

class BmpRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(BmpRoundTrip, KeepsPixelsFormatAndPaletteBothRowOrders) {
  const RoundTrip c = GetParam();
  // Odd widths exercise the row padding and the partial last byte.
  for (int32_t w : {1, 7, 13, 33}) {
    BitmapImage image = Pattern(w, 5, Colours(c.colours));
    image.PixelFormat = c.format;
    if (c.bpp <= 8) image.Palette = Colours(c.colours);
    const std::vector<uint8_t> file = EncodeBmp(image);
    EXPECT_EQ(file[28], c.bpp);
    for (const auto& bytes : {file, ToTopDown(file, 5)}) {
      const BitmapImage back = DecodeBmp(bytes.data(), bytes.size());
      ASSERT_EQ(back.Width, w);
      ASSERT_EQ(back.Height, 5);
      EXPECT_EQ(back.Pixels, image.Pixels) << "width " << w;
      EXPECT_EQ(back.PixelFormat, c.format);
      EXPECT_EQ(back.Palette, image.Palette);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpRoundTrip,
                         ::testing::Values(RoundTrip{pf1bit, 2, 1}, RoundTrip{pf4bit, 16, 4},
                                           RoundTrip{pf8bit, 256, 8}, RoundTrip{pf24bit, 300, 24},
                                           RoundTrip{pf32bit, 300, 32}));

TEST(BmpEncode, PaletteFromPixelsWhenTheOwnOneLacksAColour) {
  BitmapImage image = Pattern(4, 2, {0x000080, 0x0000FF, 0xC0C0C0});
  image.PixelFormat = pf4bit;
  image.Palette = {0x000080, 0x0000FF};  // lacks $C0C0C0
  const std::vector<uint8_t> file = EncodeBmp(image);
  const BitmapImage back = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(back.Pixels, image.Pixels);
  EXPECT_EQ(back.Palette, (std::vector<uint32_t>{0x000080, 0x0000FF, 0xC0C0C0}));
}

TEST(BmpEncode, TooManyColoursForTheFormatIsAnError) {
  BitmapImage image = Pattern(17, 1, Colours(17));
  image.PixelFormat = pf4bit;
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image.PixelFormat = pf8bit;
  EXPECT_NO_THROW(EncodeBmp(image));
  EXPECT_THROW(EncodeBmp(BitmapImage()), EInvalidGraphic);
}

TEST(BmpDecode, SixteenBitAsFiveFiveFiveAndFiveSixFive) {
  // Two pixels: pure red and pure blue, in a row padded to 4 bytes.
  const BitmapImage rgb555 = [] {
    const auto file = BuildBmp({.width = 2, .bpp = 16, .pixels = {0x00, 0x7C, 0x1F, 0x00}});
    return DecodeBmp(file.data(), file.size());
  }();
  EXPECT_EQ(rgb555.Pixels, (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
  EXPECT_EQ(rgb555.PixelFormat, pf15bit);

  for (uint32_t header : {40u, 108u, 124u}) {
    const auto file = BuildBmp({.headerSize = header,
                                .width = 2,
                                .bpp = 16,
                                .compression = 3,
                                .masks = {0xF800, 0x07E0, 0x001F},
                                .pixels = {0xE0, 0x07, 0x10, 0x84}});  // green; mid grey
    const BitmapImage image = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(image.Pixels, (std::vector<uint32_t>{0x00FF00, 0x848284})) << header;
    EXPECT_EQ(image.PixelFormat, pf16bit);
  }
}

TEST(BmpDecode, ThirtyTwoBitsDropAlphaAndHonourMasks) {
  const auto plain = BuildBmp({.bpp = 32, .pixels = {0x33, 0x22, 0x11, 0xFF}});
  EXPECT_EQ(DecodeBmp(plain.data(), plain.size()).Pixels[0], 0x112233u);
  const auto masked = BuildBmp({.bpp = 32,
                                .compression = 3,
                                .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
                                .pixels = {0x33, 0x22, 0x11, 0x00}});
  EXPECT_EQ(DecodeBmp(masked.data(), masked.size()).Pixels[0], 0x332211u);
}

// Any masks that are single runs of bits inside the pixel and apart from each
// other decode, and the picture survives a save: an empty mask reads as 0.
TEST(BmpDecode, UnusualButMeaningfulMasksDecodeAndSurviveASave) {
  struct Case {
    uint16_t bpp;
    std::vector<uint32_t> masks;
    std::vector<uint8_t> pixel;
    uint32_t expected;
  };
  const Case cases[] = {
      {16, {0x000F, 0x00F0, 0x0F00}, {0x0F, 0x00}, 0xFF0000},  // 4-4-4, red lowest
      {16, {0xFC00, 0, 0x003F}, {0xFF, 0xFF}, 0xFF00FF},       // no green at all
      {16, {0x8000, 0x4000, 0x2000}, {0x00, 0x40}, 0x00FF00},  // one bit each
      {32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {0xFF, 0x03, 0x00, 0x00}, 0x0000FF},  // 10-10-10
      {32, {0xFFFFFFFF, 0, 0}, {0x00, 0x00, 0x00, 0x80}, 0x800000},                    // 32-bit red
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> pixels = c.pixel;
    pixels.resize(4, 0);
    const auto file =
        BuildBmp({.bpp = c.bpp, .compression = 3, .masks = c.masks, .pixels = pixels});
    const BitmapImage image = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(image.Pixels[0], c.expected) << std::hex << c.masks[0];
    const auto saved = EncodeBmp(image);
    EXPECT_EQ(DecodeBmp(saved.data(), saved.size()).Pixels, image.Pixels) << std::hex << c.masks[0];
  }
}

TEST(BmpDecode, CoreHeaderWithThreeByteColourTable) {
  const auto file = BuildBmp({.headerSize = 12,
                              .width = 3,
                              .height = 1,
                              .bpp = 1,
                              .palette = {0x000000, 0xFFFFFF},
                              .pixels = {0b10100000, 0, 0, 0}});
  EXPECT_EQ(DecodeBmp(file.data(), file.size()).Pixels,
            (std::vector<uint32_t>{0xFFFFFF, 0x000000, 0xFFFFFF}));
}

TEST(BmpDecode, ShortColourTableAndIndexPastIt) {
  // biClrUsed 2: index 5 names no entry and shows black instead of reading beyond.
  const auto file = BuildBmp({.width = 3,
                              .bpp = 8,
                              .colorsUsed = 2,
                              .palette = {0x0000FF, 0x00FF00},
                              .pixels = {1, 0, 5, 0}});
  const BitmapImage image = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(image.Pixels, (std::vector<uint32_t>{0x00FF00, 0x0000FF, 0x000000}));
  EXPECT_EQ(image.Palette.size(), 2u);
}

// Colour table for the RLE files: index n is grey level n * 16.
std::vector<uint32_t> Greys() {
  std::vector<uint32_t> p;
  for (uint32_t i = 0; i < 16; ++i) p.push_back(i * 0x101010);
  return p;
}

std::vector<uint32_t> Rows(std::initializer_list<std::initializer_list<int>> rows) {
  std::vector<uint32_t> out;
  for (auto row : rows)
    for (int i : row) out.push_back(uint32_t(i) * 0x101010);
  return out;
}

// 5 x 3, stored bottom-up. Bottom row: runs 3 × index 2, 1 × 4, 1 × 5, end of
// line. Middle row: delta (+1, 0), run 2 × 7, end of line. Top row: absolute
// 1 2 3 (padded to a word), end of bitmap; the rest of that row keeps index 0.
const std::vector<uint8_t> kRle8Data = {3, 2, 1, 4, 1, 5, 0, 0,  //
                                        0, 2, 1, 0, 2, 7, 0, 0,  //
                                        0, 3, 1, 2, 3, 0, 0, 1};

std::vector<uint8_t> Rle8File() {
  return BuildBmp({.width = 5,
                   .height = 3,
                   .bpp = 8,
                   .compression = 1,
                   .colorsUsed = 16,
                   .palette = Greys(),
                   .pixels = kRle8Data});
}

TEST(BmpDecode, Rle8RunsAbsoluteDeltaAndEndOfLine) {
  const auto file = Rle8File();
  const BitmapImage image = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(image.Pixels, Rows({{1, 2, 3, 0, 0}, {0, 7, 7, 0, 0}, {2, 2, 2, 4, 5}}));
  EXPECT_EQ(image.PixelFormat, pf8bit);
}

TEST(BmpDecode, Rle4AlternatesNibbles) {
  // 6 x 2. Bottom row: run of 5 alternating 0xA/0xB, run of 1 × 0xC, end of
  // line. Top row: absolute 3 nibbles (1, 2, 3) in two bytes; run 3 × (4, 5).
  const auto file = BuildBmp({.width = 6,
                              .height = 2,
                              .bpp = 4,
                              .compression = 2,
                              .colorsUsed = 16,
                              .palette = Greys(),
                              .pixels = {5, 0xAB, 1, 0xC0, 0, 0,  //
                                         0, 3, 0x12, 0x30, 3, 0x45, 0, 1}});
  const BitmapImage image = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(image.Pixels, Rows({{1, 2, 3, 4, 5, 4}, {10, 11, 10, 11, 10, 12}}));
}

struct Malformed {
  const char* what;
  std::vector<uint8_t> file;
  const char* messagePart;
};

std::vector<uint8_t> Patched(std::vector<uint8_t> file, size_t at, std::vector<uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), file.begin() + at);
  return file;
}

std::vector<Malformed> MalformedFiles() {
  const auto valid =
      BuildBmp({.width = 4, .height = 2, .bpp = 24, .pixels = std::vector<uint8_t>(24)});
  const auto indexed = BuildBmp({.width = 4,
                                 .height = 2,
                                 .bpp = 8,
                                 .colorsUsed = 2,
                                 .palette = {0, 0xFFFFFF},
                                 .pixels = std::vector<uint8_t>(8)});
  auto rle = [](std::vector<uint8_t> data, int32_t width = 4, int32_t height = 2) {
    return BuildBmp({.width = width,
                     .height = height,
                     .bpp = 8,
                     .compression = 1,
                     .colorsUsed = 2,
                     .palette = {0, 0xFFFFFF},
                     .pixels = std::move(data)});
  };
  auto masked = [](uint16_t bpp, std::vector<uint32_t> masks) {
    return BuildBmp({.width = 2,
                     .bpp = bpp,
                     .compression = 3,
                     .masks = std::move(masks),
                     .pixels = std::vector<uint8_t>(8, 0xFF)});
  };
  auto dims = [](int32_t w, int32_t h) {
    return BuildBmp({.width = w, .height = h, .bpp = 24, .pixels = std::vector<uint8_t>(64)});
  };
  return {
      {"empty", {}, "file header truncated"},
      {"file header cut", std::vector<uint8_t>(valid.begin(), valid.begin() + 10), "truncated"},
      {"bad magic", Patched(valid, 0, {'M', 'B'}), "'BM'"},
      {"info header cut", std::vector<uint8_t>(valid.begin(), valid.begin() + 30), "info header"},
      {"unknown header size", Patched(valid, 14, {41, 0, 0, 0}), "header size 41"},
      {"pixels truncated", std::vector<uint8_t>(valid.begin(), valid.end() - 5),
       "needs 24 bytes, has 19"},
      {"zero width", dims(0, 2), "width 0"},
      {"negative width", dims(-4, 2), "width -4"},
      {"zero height", dims(4, 0), "height is 0"},
      {"most negative height", dims(4, INT32_MIN), "larger than supported"},
      {"huge", dims(100000, 100000), "larger than supported"},
      {"size overflow", dims(0x7FFFFFFF, 0x7FFFFFFF), "larger than supported"},
      {"pixel product overflow", dims(30000, 30000), "larger than supported"},
      {"odd bit depth", Patched(valid, 28, {7, 0}), "bit depth 7"},
      {"unknown compression", Patched(valid, 30, {9, 0, 0, 0}), "compression 9"},
      {"RLE8 on 24 bits", Patched(valid, 30, {1, 0, 0, 0}), "RLE8"},
      {"offset past end", Patched(valid, 10, {0xFF, 0xFF, 0, 0}), "past the end of the file"},
      {"palette past end", Patched(indexed, 46, {0, 1, 0, 0}), "colour table truncated"},
      {"palette cut", std::vector<uint8_t>(indexed.begin(), indexed.begin() + 58), "colour table"},
      {"RLE run past the row", rle({5, 1, 0, 1}), "passes the end of row 0"},
      {"RLE absolute past the row", rle({0, 5, 1, 1, 1, 1, 1, 0, 0, 1}), "passes the end of row"},
      {"RLE rows past the image", rle({0, 0, 0, 0, 2, 1}), "below the last row"},
      {"RLE delta outside", rle({0, 2, 9, 0, 0, 1}), "delta moves"},
      {"RLE truncated", rle({2, 1}), "RLE data truncated"},
      {"RLE absolute truncated", rle({0, 4, 1}), "RLE data truncated"},
      {"RLE top-down", rle({0, 1}, 4, -2), "top-down"},
      {"mask past 16 bits", masked(16, {0x1F0000, 0x07E0, 0x001F}), "wider than 16 bits"},
      {"mask past 16 bits, all set", masked(16, {0xFFFFFFFF, 0, 0}), "wider than 16 bits"},
      {"mask with a gap", masked(16, {0xF000, 0x0500, 0x001F}), "00000500 is not contiguous"},
      {"masks overlapping", masked(16, {0xF800, 0x0FE0, 0x001F}), "00000FE0 overlaps"},
      {"masks overlapping, 32 bits", masked(32, {0xFF0000, 0xFF00, 0xFF00}), "overlaps"},
      {"found by fuzzing", masked(16, {0xFFFFFFCA, 0xFFFFFFFF, 0xFFFFFFFF}), "colour mask"},
  };
}

TEST(BmpDecode, MalformedFilesRaiseInvalidGraphicSayingWhatIsWrong) {
  for (const Malformed& m : MalformedFiles()) {
    try {
      DecodeBmp(m.file.data(), m.file.size());
      ADD_FAILURE() << m.what << ": decoded without error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(m.messagePart), std::string::npos)
          << m.what << ": " << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("Bitmap image is not valid: ", 0), 0u) << e.what();
    }
  }
}

// Every prefix and many random corruptions of valid files either decode to the
// right picture (a cut that only loses the last row's padding) or raise
// EInvalidGraphic; under AddressSanitizer this also shows no stray access.
TEST(BmpDecode, CutAndCorruptedFilesNeverEscapeTheBuffer) {
  std::vector<std::vector<uint8_t>> files;
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    BitmapImage image = Pattern(9, 4, Colours(f == pf1bit ? 2 : 16));
    image.PixelFormat = f;
    files.push_back(EncodeBmp(image));
  }
  files.push_back(Rle8File());
  std::mt19937 random(7);
  for (const auto& file : files) {
    const BitmapImage whole = DecodeBmp(file.data(), file.size());
    for (size_t n = 0; n < file.size(); ++n) {
      const std::vector<uint8_t> cut(file.begin(), file.begin() + n);
      try {
        EXPECT_EQ(DecodeBmp(cut.data(), cut.size()).Pixels, whole.Pixels) << n;
        EXPECT_GT(n + 4, file.size()) << "only padding may be missing";
      } catch (const EInvalidGraphic&) {
      }
    }
    for (int round = 0; round < 500; ++round) {
      std::vector<uint8_t> bad = file;
      for (int k = 0; k < 3; ++k) bad[random() % bad.size()] = uint8_t(random());
      try {
        DecodeBmp(bad.data(), bad.size());
      } catch (const EInvalidGraphic&) {
      }
    }
  }
}

}  // namespace
}  // namespace host
