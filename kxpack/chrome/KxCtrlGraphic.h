#pragma once
// The size grip in the bottom-right corner of a footer: three diagonal
// ridges; a press sizes the parent form from the edge or corner its footer
// allows, and the matching sizing cursor shows while the mouse is over it.
#include "host/base/Messages.h"
#include "host/controls/Panels.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

class TKxPanelFooter;

// The grip's colour, the footer's own, and the colour of its ridges.
inline constexpr TColor kGripColor = 0x00554A4A;
inline constexpr TColor kGripRidgeColor = 0x00989CA2;

class TKxImgSize : public host::TPanel {
  HOST_CLASS(TKxImgSize, host::TPanel)
 public:
  // A grip without an owner ignores presses.
  explicit TKxImgSize(TComponent* AOwner);

  void Loaded() override;

  // The edge a press sizes the form from (WMSZ_RIGHT, WMSZ_BOTTOM or
  // WMSZ_BOTTOMRIGHT), as the footer it sits on allows; 0 when a press
  // sizes nothing (hidden, without an owner, not on a footer, or neither
  // of the footer's switches on).
  host::WPARAM SizeEdge() const;
  // A press sizes the window from SizeEdge; Normal when it sizes nothing.
  host::HitArea WindowHitArea(TPoint P) const override;

 protected:
  void Paint() override;
  void WMLButtonDown(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  // The footer the grip sits on, or nullptr.
  TKxPanelFooter* Footer() const;
  // The sizing cursor of the footer's switches; unchanged when neither is on.
  void ChooseCursor();

  TComponent* FOwnerComponent;
};

}  // namespace kx
