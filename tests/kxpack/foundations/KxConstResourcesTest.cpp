// Every name the KxConst tables produce finds a bitmap of the package, without
// regard to case, and of the size its slicing expects.
#include <gtest/gtest.h>

#include <string>

#include "host/base/SysUtils.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Resources.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/package/KxPack.h"

namespace kx {
namespace {

struct Size {
  int width, height;
};

void ExpectBitmap(const std::string& name, Size size) {
  host::HBITMAP bmp = nullptr;
  ASSERT_NO_THROW(bmp = host::LoadBitmap(HInstance(), name)) << name;
  EXPECT_EQ(bmp->Width, size.width) << name;
  EXPECT_EQ(bmp->Height, size.height) << name;
  host::DeleteObject(bmp);
}

TEST(KxConst, DisplayTablesNameBitmapsOfTheirStyle) {
  // By TKxDisplayNumStyle: 13x24, 11x20, 7x13, 12x17, 5x7 (not sorted by size).
  const Size digits[] = {{169, 24}, {143, 20}, {91, 13}, {156, 17}, {52, 7}};
  for (int style = tns13x24; style <= tns5x7; ++style) ExpectBitmap(ResNumId[style], digits[style]);
}

TEST(KxConst, LedTablesNameTheStripsOfEachType) {
  // "RECT" is in both tables: LI_RECT for the simple LED, LIGHTS_RECT_* for the lamps.
  const Size simple[] = {{18, 9}, {20, 5}, {34, 7}};
  for (int type = tltRounded; type <= tltLargeRect; ++type)
    ExpectBitmap(std::string("LI_") + LedTypeName[type], simple[type]);
  const Size lamps[] = {{39, 13}, {51, 7}, {39, 13}, {39, 13}};
  for (int type = tltGlassRounded; type <= tltGlassDiamond; ++type)
    for (const char* state : {"ON", "OFF"})
      ExpectBitmap(std::string("LIGHTS_") + ResId[type] + "_" + state, lamps[type]);
}

TEST(KxConst, NamesMatchWithoutRegardToCase) {
  ExpectBitmap("num5x7", {52, 7});
  ExpectBitmap("Lights_Rect_On", {51, 7});
  EXPECT_THROW(host::LoadBitmap(HInstance(), "NUM5x8"), host::EResNotFound);
}

}  // namespace
}  // namespace kx
