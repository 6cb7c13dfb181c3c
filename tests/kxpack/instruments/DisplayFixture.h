#pragma once
// A shown headless form holding one numeric display, and a check that a
// glyph cell appears at a place of the display, pixel by pixel.
#include "host/controls/Forms.h"
#include "host/graphics/BitmapImage.h"
#include "kxpack/instruments/KxDisplay.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

// Expects cell Cell (CellWidth pixels wide) of the glyph strip resource Name,
// recoloured with the display's palette, with its top-left at (X, Y) of the
// display on form: where the strip is black, or its recoloured pixel is
// black, Background shows; elsewhere the recoloured pixel. Pixels outside
// the display are not checked.
void ExpectGlyph(const host::TCustomForm& form, const TKxDisplay& display, const char* Name,
                 int CellWidth, int Cell, int X, int Y, TColor Background);

class DisplayTest : public host::testing::HeadlessTest {
 protected:
  static constexpr TColor kBackground = 0x00402010;

  void SetUp() override;

  // The display's pixel at a point of the display, as a pixel word.
  uint32_t DisplayPixel(int x, int y) const;
  // Expects glyph Cell of the display's recoloured strip with its top-left at
  // (X, Y) of the display: where the strip is black, or its recoloured pixel
  // is black, Background shows; elsewhere the recoloured pixel. Pixels
  // outside the display are not checked.
  void ExpectCell(int Cell, int X, int Y, TColor Background) const;
  // Expects the cells of Cells side by side from X with the display's spacing.
  void ExpectRow(const std::vector<int>& Cells, int X, int Y, TColor Background) const;

  host::TForm* form = nullptr;
  TKxDisplayNum* display = nullptr;
};

}  // namespace kx::testing
