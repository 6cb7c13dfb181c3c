#include "DisplayFixture.h"

#include <string>

#include "host/graphics/Resources.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/package/KxPack.h"

namespace kx::testing {

using namespace host;

void DisplayTest::SetUp() {
  HeadlessTest::SetUp();
  form = MakeForm(100, 100, 300, 120);
  display = new TKxDisplayNum(form);
  display->SetName("Disp");
  display->SetLeft(10);
  display->SetTop(10);
  display->SetColor(kBackground);
  display->SetParent(form);
  form->Show();
  Pump();
}

uint32_t DisplayTest::DisplayPixel(int x, int y) const {
  return form->Framebuffer().At(display->Left() + x, display->Top() + y);
}

void ExpectGlyph(const TCustomForm& form, const TKxDisplay& display, const char* Name,
                 int CellWidth, int Cell, int X, int Y, TColor Background) {
  TBitmap strip;
  strip.SetHandle(LoadBitmap(HInstance(), Name));
  const BitmapImage original = *strip.Handle();
  display.Palette()->ToBMP(&strip, 0x808080, 0xC0C0C0);
  const BitmapImage& recoloured = *strip.Handle();
  const int w = CellWidth;
  int mismatches = 0;
  std::string first;
  for (int j = 0; j < original.Height; ++j)
    for (int i = 0; i < w; ++i) {
      const int x = X + i, y = Y + j;
      if (x < 0 || y < 0 || x >= display.Width() || y >= display.Height()) continue;
      const uint32_t glyph = recoloured.At(Cell * w + i, j);
      const bool clear = original.At(Cell * w + i, j) == 0 || glyph == 0;
      const uint32_t want = clear ? ColorToPixel(Background) : glyph;
      const uint32_t got = form.Framebuffer().At(display.Left() + x, display.Top() + y);
      if (got != want && mismatches++ == 0)
        first = "at (" + std::to_string(x) + "," + std::to_string(y) + ") got " +
                std::to_string(got) + " want " + std::to_string(want);
    }
  EXPECT_EQ(mismatches, 0) << Name << " cell " << Cell << " at x " << X << ": " << first;
}

void DisplayTest::ExpectCell(int Cell, int X, int Y, TColor Background) const {
  ExpectGlyph(*form, *display, ResNumId[display->Style()], display->CellWidth(), Cell, X, Y,
              Background);
}

void DisplayTest::ExpectRow(const std::vector<int>& Cells, int X, int Y, TColor Background) const {
  for (int cell : Cells) {
    ExpectCell(cell, X, Y, Background);
    X += display->CellWidth() + display->Spacing();
  }
}

}  // namespace kx::testing
