#include "kxpack/chrome/KxPanelApply.h"

#include <memory>

#include "host/classes/ClassRegistry.h"

namespace kx {

using namespace host;

TKxApplyBevel::TKxApplyBevel() {
  SetBorderColor(0x00808080);
  SetBorderWidth(1);
  SetInnerShadow(0x00554A4A);
  SetInnerHighlight(0x00554A4A);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osOuter);
  SetInnerSpace(1);
  SetInnerColor(0x00808080);
  SetOuterShadow(0x00554A4A);
  SetOuterHighlight(0x00342E2E);
  SetOuterWidth(1);
  SetOuterStyle(kxRaised);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(clBtnFace);
}

const TPublished& TKxApplyBevel::PublishedProperties() {
  static const TPublished table = DefaultsOfNew<TKxApplyBevel>();
  return table;
}

TKxPanelApply::TKxPanelApply(TComponent* AOwner)
    : TKxPanelMenu(AOwner, std::make_unique<TKxApplyBevel>()) {
  SetAlign(kDefaultAlign);
  SetColor(kDefaultColor);
}

const TPublished& TKxPanelApply::PublishedProperties() {
  using T = TKxPanelApply;
  static const TPublished table =
      Publish<T>()
          .SetDefault("Align", kDefaultAlign)
          .SetDefault("Anchors",
                      static_cast<int64_t>(TAnchors{akLeft, akTop, akRight, akBottom}.Bits()))
          .SetDefault("Color", kDefaultColor);
  return table;
}

namespace {
const bool kRegistered = (RegisterClasses<TKxPanelApply>(), true);
}  // namespace

}  // namespace kx
