#include "kxpack/chrome/KxImgBarre.h"

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxPanel.h"

namespace kx {

using namespace host;

namespace {

// One line of the stripes: its row, where it starts, how far it stops short
// of the right edge, and its colour on an active and an inactive window.
struct Stripe {
  int32_t y, x0, rightInset;
  TColor active, inactive;
};

constexpr Stripe kStripes[] = {
    {2, 1, 1, 0x0069B0D3, 0x003A6174}, {3, 0, 0, 0x00ACFFFF, 0x006BB3D7},
    {4, 0, 0, 0x0015242B, 0x0005080A}, {5, 1, 1, 0x003E677C, 0x00192A32},
    {6, 1, 1, 0x0069B0D3, 0x003A6174}, {7, 1, 1, 0x0015242B, 0x0005080A},
};

}  // namespace

TKxImgBarre::TKxImgBarre(TComponent* AOwner) : TPanel(AOwner), FOwnerComponent(AOwner) {
  SetBevelInner(bvNone);
  SetBevelOuter(kDefaultBevelOuter);
  SetBounds(Left(), Top(), 60, 8);
  SetColor(kDefaultColor);
}

void TKxImgBarre::SetActive(bool Value) {
  FActive = Value;
  Invalidate();
}

void TKxImgBarre::Loaded() {
  inherited::Loaded();
  Invalidate();
}

void TKxImgBarre::Paint() {
  // A bar that fails to paint shows what was drawn so far.
  Swallowing([&] {
    // The panel is opaque, so its background is painted here rather than
    // erased by the window.
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    if (!FOwnerComponent) return;
    for (const Stripe& s : kStripes) {
      canvas->Pen()->SetColor(FActive ? s.active : s.inactive);
      canvas->MoveTo(s.x0, s.y);
      canvas->LineTo(Width() - s.rightInset, s.y);
    }
  });
}

void TKxImgBarre::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) StartWindowMove(GetParentForm(this), this);
}

const TPublished& TKxImgBarre::PublishedProperties() {
  using T = TKxImgBarre;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    b.SetDefault("BevelOuter", kDefaultBevelOuter)
        .SetDefault("Color", kDefaultColor)
        .SetDefault("ParentColor", false);
    PublishAbout(b).Bool("Active", &T::Active, &T::SetActive);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxImgBarre>(), true);
}  // namespace

}  // namespace kx
