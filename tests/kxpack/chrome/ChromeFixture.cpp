#include "tests/kxpack/chrome/ChromeFixture.h"

#include "host/graphics/Bitmap.h"
#include "kxpack/package/KxPack.h"

namespace kx::testing {

using namespace host;

::testing::AssertionResult ChromeTest::ShowsCell(TControl* c, const char* name, int32_t cellWidth,
                                                 int32_t cell) const {
  TBitmap strip;
  strip.LoadFromResourceName(HInstance(), name);
  for (int32_t y = 0; y < strip.Height(); ++y)
    for (int32_t x = 0; x < cellWidth; ++x) {
      const TPoint at = OnForm(c, x, y);
      const TColor want = strip.Canvas()->Pixels(cell * cellWidth + x, y);
      if (PixelAt(at.X, at.Y) != want)
        return ::testing::AssertionFailure() << c->Name() << " differs from cell " << cell << " of "
                                             << name << " at (" << x << ", " << y << ")";
    }
  return ::testing::AssertionSuccess();
}

}  // namespace kx::testing
