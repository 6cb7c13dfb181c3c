#pragma once
// The bottom strip of a borderless form: a 17-pixel panel aligned to the
// bottom that drags the form like every chrome panel, with a size grip in its
// bottom-right corner that sizes the form from the right edge, the bottom
// edge or the corner, as UseResizeHorz and UseResizeVert allow.
#include "host/base/Messages.h"
#include "kxpack/chrome/KxCtrlGraphic.h"
#include "kxpack/chrome/KxPanel.h"

namespace kx {

// The footer's bevel: a flat dark-grey frame, no border.
class TKxFooterBevel : public TKxPanelBevel {
  HOST_CLASS(TKxFooterBevel, TKxPanelBevel)
 public:
  TKxFooterBevel();
  static const TPublished& PublishedProperties();
};

class TKxPanelFooter : public TKxPanelMenu {
  HOST_CLASS(TKxPanelFooter, TKxPanelMenu)
 public:
  explicit TKxPanelFooter(TComponent* AOwner);
  ~TKxPanelFooter() override;

  static constexpr int32_t kDefaultHeight = 17;
  static constexpr host::TAlign kDefaultAlign = host::alBottom;
  static constexpr TColor kDefaultColor = kGripColor;
  static constexpr bool kDefaultUseResizeImg = true;

  // The grip; nullptr once it has been freed.
  TKxImgSize* ImgSize() const { return FImgSize; }

  // The switches apply the grip's visibility every time: either one set
  // True shows it; one set False hides it while the other is False, and
  // leaves UseResizeImg as it is otherwise.
  bool UseResizeHorz() const { return FUseResizeHorz; }
  void SetUseResizeHorz(bool Value);
  bool UseResizeVert() const { return FUseResizeVert; }
  void SetUseResizeVert(bool Value);
  // Whether the grip is shown; applied to the grip every time.
  bool UseResizeImg() const { return FUseResizeImg; }
  void SetUseResizeImg(bool Value);

  // The edge the switches let the grip size the form from: WMSZ_RIGHT,
  // WMSZ_BOTTOM, WMSZ_BOTTOMRIGHT, or 0 when neither is on.
  host::WPARAM SizeEdge() const;

  // With both switches off, a visible footer reads UseResizeImg False; the
  // grip keeps its visibility until the next setter call.
  void Loaded() override;
  static const TPublished& PublishedProperties();

 protected:
  void Paint() override;
  // Keeps the grip in the bottom-right corner.
  void Resize() override;
  void Notification(TComponent* AComponent, host::TOperation Operation) override;

 private:
  // One switch changed to Value, the other holding Other.
  void SwitchChanged(bool Value, bool Other);

  TKxImgSize* FImgSize = nullptr;
  bool FUseResizeHorz = false;
  bool FUseResizeVert = false;
  bool FUseResizeImg = kDefaultUseResizeImg;
};

}  // namespace kx
