#pragma once
// The skinned windowed panel the window chrome is built on: a colour fill or a
// tiled background bitmap under a TKxBevel, children aligned inside the bevel
// (TKxCustomPanel); and the two panels whose left press drags the parent form
// of a borderless window (TKxPanel on the palette, TKxPanelMenu as the base of
// the chrome panels).
#include <memory>

#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxBevel.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

// Starts the system's interactive move of Window, on behalf of the control
// Mover that was pressed: the window follows the mouse until the button is
// released, and only then does this return. The mouse capture is released
// first, since the move loop takes the release. False when Window is
// nullptr (nothing moves), and when the loop freed Mover (a message it
// dispatched freed the form): the caller must then leave Mover alone.
bool StartWindowMove(host::TWinControl* Window, host::TControl* Mover);

// Whether a new TKxPanel or TKxPanelMenu drags its parent form by a left press.
inline constexpr bool kDefaultMoveWinParent = true;

// The bevel a panel owns. Its constructor gives it the values the plain
// panel starts with; a panel class with a scheme of its own derives a bevel
// whose constructor sets that scheme on top. The defaults a bevel class
// declares are the values of a new one of that class, so each panel class's
// form files leave out exactly what its constructor set, and a value equal
// to another class's default is still written.
class TKxPanelBevel : public TKxBevel {
  HOST_CLASS(TKxPanelBevel, TKxBevel)
 public:
  TKxPanelBevel();
  static const TPublished& PublishedProperties();

 protected:
  // The published table of bevel class T: the plain bevel's entries, each
  // declared default replaced by the value a new T holds.
  template <class T>
  static TPublished DefaultsOfNew();
};

template <class T>
TPublished TKxPanelBevel::DefaultsOfNew() {
  TPublishBuilder<T> b = host::Publish<T>();
  T fresh;
  for (const host::TPropInfo& p : TKxBevel::PublishedProperties().Properties())
    if (p.HasDefault && p.IsOrdinal()) b.SetDefault(p.Name, p.GetOrd(&fresh));
  return b;
}

class TKxCustomPanel : public TKxCustomControl {
  HOST_CLASS(TKxCustomPanel, TKxCustomControl)
 public:
  explicit TKxCustomPanel(TComponent* AOwner);
  ~TKxCustomPanel() override;

  // Whether a new panel repaints whole when resized, and its own colour.
  static constexpr bool kDefaultFullRepaint = true;
  static constexpr host::TColor kDefaultColor = host::clBlack;

  TKxBevel* Bevel() const { return FBevel.get(); }
  // Copies the values; the caller keeps its bevel.
  void SetBevel(TKxBevel* Value) { FBevel->Assign(Value); }
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Copies the bitmap (nullptr or an empty one brings the colour fill back).
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }

  // The bevel's thickness comes off the client rectangle: the children are
  // aligned inside the bevel, and an auto-sized panel holds them with it.
  void AdjustClientRect(TRect& Rect) override;
  // A press on the panel's own surface drags the window when it moves the
  // parent form.
  host::HitArea WindowHitArea(TPoint P) const override;

 protected:
  // A panel whose bevel starts from a scheme of its own (see TKxPanelBevel).
  TKxCustomPanel(TComponent* AOwner, std::unique_ptr<TKxPanelBevel> ABevel);
  void CreateParams(host::TCreateParams& Params) override;
  void Paint() override;
  void CMIsToolControl(TMessage& Message) override;
  void WMWindowPosChanged(TMessage& Message) override;

  // Whether a left press on the panel's own surface (bevel included) moves
  // the parent form: off here; TKxPanel and TKxPanelMenu switch it on and
  // publish it. OnMouseDown fires before the move and, since the move loop
  // takes the release, OnMouseUp after it with the press's button, shift
  // state and position. Nothing moves without a parent form.
  bool MoveWinParent() const { return FMoveWinParent; }
  void SetMoveWinParent(bool Value) { FMoveWinParent = Value; }
  void MouseDown(host::TMouseButton Button, host::TShiftState Shift, int32_t X, int32_t Y) override;

  // The published table of TKxPanel and TKxPanelMenu, which publish the same.
  template <class T>
  static TPublished PanelProperties();

 private:
  void BevelChanged(TObject* Sender);
  void GlyphChanged(TObject* Sender);
  // Invalidates what a size change leaves wrong when the panel is not
  // repainted whole: the bevel's strip along each edge that moved.
  void InvalidateEdgeStrips(const host::TWindowPos& Pos);

  std::unique_ptr<TKxBevel> FBevel;
  bool FFullRepaint = kDefaultFullRepaint;
  bool FLocked = false;
  std::unique_ptr<TBitmap> FGlyph;
  bool FMoveWinParent = false;
};

// The panel on the component palette; a left press drags the parent form
// unless MoveWinParent is False.
class TKxPanel : public TKxCustomPanel, public TKxAbout {
  HOST_CLASS(TKxPanel, TKxCustomPanel)
 public:
  explicit TKxPanel(TComponent* AOwner);
  using TKxCustomPanel::MoveWinParent;
  using TKxCustomPanel::SetMoveWinParent;
  static const TPublished& PublishedProperties();
};

// The same panel as TKxPanel, as the base of the menu bar, footer, tool and
// apply panels.
class TKxPanelMenu : public TKxCustomPanel, public TKxAbout {
  HOST_CLASS(TKxPanelMenu, TKxCustomPanel)
 public:
  explicit TKxPanelMenu(TComponent* AOwner);
  using TKxCustomPanel::MoveWinParent;
  using TKxCustomPanel::SetMoveWinParent;
  static const TPublished& PublishedProperties();

 protected:
  // The chrome panels pass the bevel of their own scheme.
  TKxPanelMenu(TComponent* AOwner, std::unique_ptr<TKxPanelBevel> ABevel);
};

}  // namespace kx
