#include "host/graphics/PngCodec.h"

#include <gtest/gtest.h>

#include "host/base/SysUtils.h"

namespace host {
namespace {

BitmapImage Sample() {
  BitmapImage image(7, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 7; ++x) image.At(x, y) = uint32_t(x * 0x240000 + y * 0x005500 + 0x19);
  return image;
}

TEST(Png, RoundTripKeepsEveryPixel) {
  const BitmapImage image = Sample();
  const std::vector<uint8_t> file = EncodePng(image);
  ASSERT_TRUE(LooksLikePng(file.data(), file.size()));
  const BitmapImage back = DecodePng(file.data(), file.size());
  EXPECT_EQ(back.Width, 7);
  EXPECT_EQ(back.Height, 3);
  EXPECT_EQ(back.Pixels, image.Pixels);
}

TEST(Png, TruncatedOrCorruptDataRaisesInvalidGraphic) {
  const std::vector<uint8_t> file = EncodePng(Sample());
  for (size_t n :
       {size_t(0), size_t(4), size_t(8), size_t(20), file.size() / 2, file.size() - 13}) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + n);
    EXPECT_THROW(DecodePng(cut.data(), cut.size()), EInvalidGraphic) << n;
  }
  std::vector<uint8_t> bad = file;
  bad[bad.size() / 2] ^= 0xFF;  // the zlib stream's check fails
  try {
    DecodePng(bad.data(), bad.size());
    ADD_FAILURE() << "corrupt data decoded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find("PNG image is not valid"), std::string::npos);
  }
}

TEST(Png, EmptyImageCannotBeSaved) { EXPECT_THROW(EncodePng(BitmapImage()), EInvalidGraphic); }

}  // namespace
}  // namespace host
