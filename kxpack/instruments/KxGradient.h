#pragma once
// A windowless control filled with a two-colour gradient in bands or diagonal
// lines (TKxCustomGradient), and the palette component (TKxGradient), which
// also drags its form by a left press and passes presses on to a TKxPanel it
// lies on.
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

class TKxCustomGradient : public TKxGraphicImageControl {
  HOST_CLASS(TKxCustomGradient, TKxGraphicImageControl)
 public:
  explicit TKxCustomGradient(TComponent* AOwner);

  // What a new gradient shows; the published defaults.
  static constexpr TColor kDefaultStartColor = 0x645858;
  static constexpr TColor kDefaultEndColor = 0x554A4A;
  static constexpr Integer kDefaultColorWidth = 1;
  static constexpr TKxGradDirection kDefaultDirection = tgdLeftRight;

  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  // Band width (or line width of the chords) in pixels; values below 1 are
  // ignored.
  Integer ColorWidth() const { return FColorWidth; }
  void SetColorWidth(Integer Value);
  TKxGradDirection Direction() const { return FDirection; }
  void SetDirection(TKxGradDirection Value);
  // A left press moves the form through the windowed owner.
  bool FormDrag() const { return FFormDrag; }
  void SetFormDrag(bool Value) { FFormDrag = Value; }
  // The gradient runs from EndColor to StartColor.
  bool SwapColors() const { return FSwapColors; }
  void SetSwapColors(bool Value);

 protected:
  // Draws the gradient over the off-screen bitmap (which is not cleared
  // first) and puts it on the screen.
  void Paint() override;
  void WMLButtonDown(TMessage& Message) override;
  // Runs the interactive move of Window and notes that this press moved a
  // window; false when there is none, or when the move freed the gradient.
  bool MoveWindow(host::TWinControl* Window);

 private:
  TColor FStartColor = kDefaultStartColor;
  TColor FEndColor = kDefaultEndColor;
  Integer FColorWidth = kDefaultColorWidth;
  TKxGradDirection FDirection = kDefaultDirection;
  bool FSwapColors = false;
  bool FFormDrag = false;
  // Set when the press being handled already ran a move, so FormDrag does
  // not ask for a second one after the button was released.
  bool FPressMovedWindow = false;
};

class TKxGradient : public TKxCustomGradient, public TKxAbout {
  HOST_CLASS(TKxGradient, TKxCustomGradient)
 public:
  explicit TKxGradient(TComponent* AOwner) : TKxCustomGradient(AOwner) {}
  static const TPublished& PublishedProperties();
  // Every left press drags the window.
  host::HitArea WindowHitArea(TPoint) const override { return host::HitArea::Draggable; }

 protected:
  // Fires OnMouseDown once; a left press then moves the parent form; last,
  // a TKxPanel parent's OnMouseDown gets the press too, with the gradient
  // as Sender.
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;
};

}  // namespace kx
