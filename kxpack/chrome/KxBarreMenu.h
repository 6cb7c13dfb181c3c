#pragma once
// The menu bar across the top of a borderless form: a flat 15-pixel strip
// that carries the title bar and the window buttons, passes its Active state
// to them, and drags the form when pressed on its own surface.
#include "kxpack/chrome/KxImgBarre.h"
#include "kxpack/chrome/KxPanel.h"

namespace kx {

// The menu bar's bevel: flat, in the bar's colour.
class TKxBarreMenuBevel : public TKxPanelBevel {
  HOST_CLASS(TKxBarreMenuBevel, TKxPanelBevel)
 public:
  TKxBarreMenuBevel();
  static const TPublished& PublishedProperties();
};

class TKxBarreMenu : public TKxPanelMenu {
  HOST_CLASS(TKxBarreMenu, TKxPanelMenu)
 public:
  explicit TKxBarreMenu(TComponent* AOwner);
  static const TPublished& PublishedProperties();

  static constexpr host::TAlign kDefaultAlign = host::alTop;
  // What the alignment to the top anchors.
  static constexpr host::TAnchors kDefaultAnchors{host::akLeft, host::akTop, host::akRight};
  static constexpr host::TColor kDefaultColor = kBarreColor;
  static constexpr int32_t kHeight = 15;
  // Where the window buttons sit: 3 pixels below the top of the bar.
  static constexpr int32_t kButtonTop = 3;

  bool Active() const { return FActive; }
  // Gives the value to each direct child that is a title bar or a window
  // button; other children, and what lies deeper, keep their look.
  void SetActive(bool Value);

 private:
  bool FActive = false;
};

// Moves a window button to its row when it sits on a menu bar.
void KeepOnBarreMenuRow(host::TControl* Button);

}  // namespace kx
