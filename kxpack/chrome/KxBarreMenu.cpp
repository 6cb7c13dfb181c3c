#include "kxpack/chrome/KxBarreMenu.h"

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxBtExit.h"
#include "kxpack/chrome/KxBtMenu.h"
#include "kxpack/chrome/KxPanelTitle.h"

namespace kx {

using namespace host;

TKxBarreMenu::TKxBarreMenu(TComponent* AOwner) : TKxPanelMenu(AOwner) {
  SetAlign(kDefaultAlign);
  SetHeight(kHeight);
  SetColor(kDefaultColor);
  // A flat strip: no rings, no outlines; children sit 2 pixels inside (the
  // border and the inner space).
  TKxBevel* bevel = Bevel();
  bevel->SetBorderColor(kBarreColor);
  bevel->SetBorderWidth(1);
  bevel->SetInnerShadow(kBarreColor);
  bevel->SetInnerHighlight(kBarreColor);
  bevel->SetInnerWidth(1);
  bevel->SetInnerStyle(kxNone);
  bevel->SetInnerOutline(osNone);
  bevel->SetInnerSpace(1);
  bevel->SetInnerColor(kBarreColor);
  bevel->SetOuterShadow(kBarreColor);
  bevel->SetOuterHighlight(kBarreColor);
  bevel->SetOuterWidth(1);
  bevel->SetOuterStyle(kxNone);
  bevel->SetOuterOutline(osNone);
  bevel->SetOuterSpace(0);
  bevel->SetOuterColor(kBarreColor);
}

void TKxBarreMenu::SetActive(bool Value) {
  FActive = Value;
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (auto* title = As<TKxPanelTitle>(child))
      title->SetActive(Value);
    else if (auto* exit = As<TKxBtExit>(child))
      exit->SetActive(Value);
    else if (auto* button = As<TKxBtMenu>(child))
      button->SetActive(Value);
  }
  Invalidate();
}

void KeepOnBarreMenuRow(TControl* Button) {
  if (As<TKxBarreMenu>(Button->Parent()) && Button->Top() != TKxBarreMenu::kButtonTop)
    Button->SetTop(TKxBarreMenu::kButtonTop);
}

const TPublished& TKxBarreMenu::PublishedProperties() {
  using T = TKxBarreMenu;
  static const TPublished table = Publish<T>()
                                      .SetDefault("Align", kDefaultAlign)
                                      .SetDefault("Anchors", kDefaultAnchors.Bits())
                                      .SetDefault("Color", kDefaultColor)
                                      .Bool("Active", &T::Active, &T::SetActive);
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxBarreMenu>(), true);
}  // namespace

}  // namespace kx
