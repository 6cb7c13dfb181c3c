#pragma once
// A shown headless form holding one mix viewer, and the picture the viewer
// must show worked out independently, tick by tick, from its properties.
#include "host/controls/Forms.h"
#include "host/graphics/BitmapImage.h"
#include "kxpack/instruments/KxMixViewer.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

// The viewer's picture drawn the plain way: background, a border-only bevel,
// then every tick of every bar one after the other from the top, each tick
// taking its zone colour at its own height. Pixels 0x00RRGGBB, the
// viewer's size.
host::BitmapImage ExpectedViewerPicture(const TKxMixViewer& viewer);

class MixViewerTest : public host::testing::HeadlessTest {
 protected:
  static constexpr TColor kBackground = 0x00402010;
  static constexpr int kLeft = 10, kTop = 10;

  void SetUp() override;

  // What the form shows of the viewer now, after the loop went idle.
  host::BitmapImage ViewerPixels();
  // Expects the viewer to show ExpectedViewerPicture; names the first
  // differing pixel.
  void ExpectPicture();

  host::TForm* form = nullptr;
  TKxMixViewer* viewer = nullptr;
};

}  // namespace kx::testing
