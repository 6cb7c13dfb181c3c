#include "kxpack/chrome/KxBarreMenu.h"

#include <memory>

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxBtExit.h"
#include "kxpack/chrome/KxBtMenu.h"
#include "kxpack/chrome/KxPanelTitle.h"

namespace kx {

using namespace host;

TKxBarreMenuBevel::TKxBarreMenuBevel() {
  // A flat strip: no rings, no outlines; children sit 2 pixels inside (the
  // border and the inner space).
  SetBorderColor(kBarreColor);
  SetBorderWidth(1);
  SetInnerShadow(kBarreColor);
  SetInnerHighlight(kBarreColor);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osNone);
  SetInnerSpace(1);
  SetInnerColor(kBarreColor);
  SetOuterShadow(kBarreColor);
  SetOuterHighlight(kBarreColor);
  SetOuterWidth(1);
  SetOuterStyle(kxNone);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(kBarreColor);
}

const TPublished& TKxBarreMenuBevel::PublishedProperties() {
  static const TPublished table = DefaultsOfNew<TKxBarreMenuBevel>();
  return table;
}

TKxBarreMenu::TKxBarreMenu(TComponent* AOwner)
    : TKxPanelMenu(AOwner, std::make_unique<TKxBarreMenuBevel>()) {
  SetAlign(kDefaultAlign);
  SetHeight(kHeight);
  SetColor(kDefaultColor);
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
