#include "kxpack/chrome/KxPanelTools.h"

#include <memory>

#include "host/classes/ClassRegistry.h"

namespace kx {

using namespace host;

TKxToolsBevel::TKxToolsBevel() {
  SetBorderColor(0x00554A4A);
  SetBorderWidth(1);
  SetInnerShadow(0x00554A4A);
  SetInnerHighlight(0x00554A4A);
  SetInnerWidth(1);
  SetInnerStyle(kxNone);
  SetInnerOutline(osNone);
  SetInnerSpace(1);
  SetInnerColor(0x00342E2E);
  SetOuterShadow(0x00CDB4B4);
  SetOuterHighlight(0x00342E2E);
  SetOuterWidth(1);
  SetOuterStyle(kxRaised);
  SetOuterOutline(osNone);
  SetOuterSpace(0);
  SetOuterColor(clBtnFace);
}

const TPublished& TKxToolsBevel::PublishedProperties() {
  static const TPublished table = DefaultsOfNew<TKxToolsBevel>();
  return table;
}

TKxPanelTools::TKxPanelTools(TComponent* AOwner)
    : TKxPanelMenu(AOwner, std::make_unique<TKxToolsBevel>()) {
  SetColor(clBlack);
  SetHeight(kDefaultHeight);
}

void TKxPanelTools::Loaded() {
  inherited::Loaded();
  Invalidate();
}

const TPublished& TKxPanelTools::PublishedProperties() {
  using T = TKxPanelTools;
  // The host's automatic sizing, under the name the form files use.
  static const TPublished table =
      Publish<T>().Bool("Autosize", &T::AutoSize, &T::SetAutoSize, false);
  return table;
}

namespace {
const bool kRegistered = (RegisterClasses<TKxPanelTools>(), true);
}  // namespace

}  // namespace kx
