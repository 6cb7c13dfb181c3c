#include "kxpack/chrome/KxPanel.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "host/classes/ClassRegistry.h"
#include "host/classes/FreeWatch.h"
#include "host/controls/Forms.h"
#include "host/controls/WindowDC.h"
#include "kxpack/foundations/KxPainters.h"

namespace kx {

using namespace host;

namespace {

// Greyish blue (red 141, green 141, blue 160) of the panel bevel's rings.
constexpr TColor kPanelRingColor = 0x00A08D8D;

}  // namespace

bool StartWindowMove(TWinControl* Window, TControl* Mover) {
  ReleaseCapture();
  if (!Window) return false;
  const TFreeWatch watch(Mover);
  Window->Perform(WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
  return !watch.Freed();
}

// --- TKxPanelBevel ---------------------------------------------------------------

TKxPanelBevel::TKxPanelBevel() {
  // A one-pixel black border where a plain bevel has none.
  SetBorderWidth(1);
  SetBorderColor(clBlack);
  SetInnerShadow(kPanelRingColor);
  SetInnerHighlight(kPanelRingColor);
  SetInnerColor(clBlack);
  SetOuterShadow(kPanelRingColor);
  SetOuterHighlight(kPanelRingColor);
}

const TPublished& TKxPanelBevel::PublishedProperties() {
  static const TPublished table = DefaultsOfNew<TKxPanelBevel>();
  return table;
}

// --- TKxCustomPanel ----------------------------------------------------------------

TKxCustomPanel::TKxCustomPanel(TComponent* AOwner)
    : TKxCustomPanel(AOwner, std::make_unique<TKxPanelBevel>()) {}

TKxCustomPanel::TKxCustomPanel(TComponent* AOwner, std::unique_ptr<TKxPanelBevel> ABevel)
    : TKxCustomControl(AOwner), FBevel(std::move(ABevel)), FGlyph(std::make_unique<TBitmap>()) {
  // Not csSetCaption: a panel never shows its Name.
  SetControlStyle(
      {csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
  SetBounds(Left(), Top(), 185, 75);
  SetColor(kDefaultColor);
  FBevel->OnChange = TNotifyEvent(this, &TKxCustomPanel::BevelChanged);
  FGlyph->SetOnChange(TNotifyEvent(this, &TKxCustomPanel::GlyphChanged));
  // The base constructor made the window parameters before this class's
  // CreateParams could take part.
  RecreateWnd();
}

TKxCustomPanel::~TKxCustomPanel() {
  FBevel.reset();
  FGlyph.reset();
}

void TKxCustomPanel::BevelChanged(TObject*) {
  Realign();
  Invalidate();
}

void TKxCustomPanel::GlyphChanged(TObject*) { Invalidate(); }

void TKxCustomPanel::AdjustClientRect(TRect& Rect) { FBevel->GetVisibleArea(Rect); }

HitArea TKxCustomPanel::WindowHitArea(TPoint) const {
  return FMoveWinParent ? HitArea::Draggable : HitArea::Normal;
}

void TKxCustomPanel::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  // A size change alone repaints only what InvalidateEdgeStrips asks for.
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TKxCustomPanel::Paint() {
  TRect r = ClientRect();
  if (FGlyph->Empty())
    ClearClientCanvas();
  else
    DrawTiledBitmap(Canvas(), r, FGlyph.get());
  FBevel->Paint(Canvas(), r);
}

void TKxCustomPanel::CMIsToolControl(TMessage& Message) {
  if (!FLocked) Message.Result = 1;
}

void TKxCustomPanel::WMWindowPosChanged(TMessage& Message) {
  if (FFullRepaint)
    Invalidate();
  else if (const auto* pos = reinterpret_cast<const TWindowPos*>(Message.LParam))
    InvalidateEdgeStrips(*pos);
  inherited::WMWindowPosChanged(Message);
  // Also on a pure move, where the host fires no resize of its own.
  if (!Loading()) Resize();
}

void TKxCustomPanel::InvalidateEdgeStrips(const TWindowPos& Pos) {
  const int64_t strip = FBevel->Thickness();
  if (strip <= 0) return;
  // The strip under the old edge, what lies between the edges, and the
  // strip under the new edge, where a shrunken panel draws its bevel anew.
  const int32_t w = Width(), h = Height();
  if (Pos.cx != w) {
    const TRect r{host::SaturateToInt32(std::min(w, Pos.cx) - strip), 0, std::max(w, Pos.cx),
                  std::max(h, Pos.cy)};
    InvalidateRect(Handle(), &r, true);
  }
  if (Pos.cy != h) {
    const TRect r{0, host::SaturateToInt32(std::min(h, Pos.cy) - strip), std::max(w, Pos.cx),
                  std::max(h, Pos.cy)};
    InvalidateRect(Handle(), &r, true);
  }
}

void TKxCustomPanel::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (!FMoveWinParent || Button != mbLeft) return;
  if (!StartWindowMove(GetParentForm(this), this)) return;
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

template <class T>
TPublished TKxCustomPanel::PanelProperties() {
  TPublishBuilder<T> b = Publish<T>();
  PublishAbout(b)
      .Bool("MoveWinParent", &T::MoveWinParent, &T::SetMoveWinParent, kDefaultMoveWinParent)
      .Publish("Align", "Anchors")
      .Object("Bevel", &T::Bevel, &T::SetBevel)
      .Object("Glyph", &T::Glyph, &T::SetGlyph)
      .Publish("DragCursor", "DragMode", "Enabled")
      .Bool("FullRepaint", &T::FullRepaint, &T::SetFullRepaint, kDefaultFullRepaint)
      .Publish("Color")
      .Default(kDefaultColor)
      .Publish("Font")
      .Bool("Locked", &T::Locked, &T::SetLocked, false)
      .Publish("ParentColor")
      .Default(false)
      .Publish("ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder")
      .Default(-1)
      .Publish("TabStop", "Visible")
      .PublishEvents("OnClick", "OnDblClick", kDragEvents, kFocusEvents, kMouseEvents, "OnResize");
  return b;
}

// --- TKxPanel and TKxPanelMenu --------------------------------------------------------

TKxPanel::TKxPanel(TComponent* AOwner) : TKxCustomPanel(AOwner) {
  SetMoveWinParent(kDefaultMoveWinParent);
}

const TPublished& TKxPanel::PublishedProperties() {
  static const TPublished table = PanelProperties<TKxPanel>();
  return table;
}

TKxPanelMenu::TKxPanelMenu(TComponent* AOwner)
    : TKxPanelMenu(AOwner, std::make_unique<TKxPanelBevel>()) {}

TKxPanelMenu::TKxPanelMenu(TComponent* AOwner, std::unique_ptr<TKxPanelBevel> ABevel)
    : TKxCustomPanel(AOwner, std::move(ABevel)) {
  SetMoveWinParent(kDefaultMoveWinParent);
}

const TPublished& TKxPanelMenu::PublishedProperties() {
  static const TPublished table = PanelProperties<TKxPanelMenu>();
  return table;
}

namespace {
const bool kRegistered = (RegisterClasses<TKxPanel, TKxPanelMenu>(), true);
}  // namespace

}  // namespace kx
