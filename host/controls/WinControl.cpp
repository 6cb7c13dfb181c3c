#include <algorithm>

#include "host/controls/ControlWindow.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/controls/WindowDC.h"
#include "host/graphics/Color.h"

namespace host {

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FWindow(std::make_unique<ControlWindow>(this)) {
  CreateParams(FParams);
}

TWinControl::~TWinControl() {
  ControlDestroying(this);
  // Children owned elsewhere stay alive but lose their parent.
  while (!FWinControls.empty()) FWinControls.back()->SetParent(nullptr);
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  if (FParent) FParent->RemoveControl(this);
}

HWND TWinControl::Handle() const { return FWindow.get(); }

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = {};
  Params.Caption = Text();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WinClassName = ClassName();
}

void TWinControl::RecreateWnd() {
  CreateParams(FParams);
  Invalidate();
}

int32_t TWinControl::ControlCount() const {
  return static_cast<int32_t>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::Controls(int32_t Index) const {
  const auto n = static_cast<int32_t>(FControls.size());
  if (Index < 0 || Index >= ControlCount())
    throw EListError(Format("List index out of bounds (%d)", Index));
  return Index < n ? FControls[Index] : FWinControls[Index - n];
}

int32_t TWinControl::IndexOfControl(const TControl* c) const {
  for (int32_t i = 0, n = ControlCount(); i < n; ++i)
    if (Controls(i) == c) return i;
  return -1;
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  if (auto* w = As<TWinControl>(AControl)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
    w->FWindow->SetRect(w->BoundsRect());
    w->FWindow->Invalidate(nullptr, true);
  } else {
    FControls.push_back(AControl);
  }
  AControl->UpdateAnchorRules();
  AControl->Invalidate();
  ChildListChanged(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl->FParent != this) return;
  ControlLeavingParent(AControl);
  if (AControl->Visible()) {
    TRect r = AControl->BoundsRect();
    InvalidateRect(Handle(), &r, true);
  }
  if (auto* w = As<TWinControl>(AControl)) {
    FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w),
                       FWinControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  }
  AControl->FParent = nullptr;
  if (!ComponentState().Contains(csDestroying)) ChildListChanged(AControl);
}

void TWinControl::ChildListChanged(const TControl* AControl) {
  if (AControl->Align() != alNone)
    Realign();
  else if (AutoSize())
    AdjustSize();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent && ContainsControl(AParent))
    throw EInvalidOperation("A control cannot have itself as its parent");
  inherited::SetParent(AParent);
  FWindow->SetRect(BoundsRect());
  CreateParams(FParams);
}

void TWinControl::SetZOrder(TControl* c, bool toTop) {
  auto move = [&](auto& list, auto* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return;
    list.erase(it);
    if (toTop)
      list.push_back(item);
    else
      list.insert(list.begin(), item);
  };
  if (auto* w = As<TWinControl>(c)) {
    move(FWinControls, w);
    w->Invalidate();
  } else {
    move(FControls, c);
    c->Invalidate();
  }
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
  auto hit = [&](TControl* c) {
    return (c->Visible() || (c->ComponentState().Contains(csDesigning) &&
                             !c->ControlStyle().Contains(csNoDesignVisible))) &&
           (c->Enabled() || AllowDisabled) && c->BoundsRect().Contains(Pos);
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

// --- alignment
// ----------------------------------------------------------------

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel > 0 || ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  FControlState.Exclude(csAlignmentNeeded);
  TRect r = ClientRect();
  AlignControls(AControl, r);
  --FAlignLevel;
  FControlState.Exclude(csAlignmentNeeded);
  // A child that moved, grew or came and went changes what an auto-sized
  // control must hold. Its new size realigns the children again; the flag
  // keeps that from sizing it a second time.
  if (!AutoSize() || FAutoSizing) return;
  FAutoSizing = true;
  try {
    AdjustSize();
  } catch (...) {
    FAutoSizing = false;
    throw;
  }
  FAutoSizing = false;
}

bool TWinControl::CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) {
  // What the children need inside the frame: the far edges of the placed
  // ones, and the widths (heights) of those stacked along the sides (ends).
  // A child aligned across a side follows the control's size on that axis
  // and asks for nothing there; alClient children ask for nothing.
  // 64 bits: the sums of many wide children must not wrap.
  int64_t right = 0, bottom = 0, sides = 0, ends = 0;
  bool across = false, down = false;
  for (int32_t i = 0, n = ControlCount(); i < n; ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible()) continue;
    switch (c->Align()) {
      case alLeft:
      case alRight:
        sides += c->Width();
        across = true;
        break;
      case alTop:
      case alBottom:
        ends += c->Height();
        down = true;
        break;
      case alClient:
        break;
      default:
        right = std::max(right, int64_t{c->Left()} + c->Width());
        bottom = std::max(bottom, int64_t{c->Top()} + c->Height());
        across = down = true;
    }
  }
  if (!across && !down) return false;
  // The placed children's Left and Top already count the frame's left and
  // top; what lies beyond the frame's right and bottom is added.
  TRect inner = ClientRect();
  AdjustClientRect(inner);
  const TAlign a = Align();
  if (across && a != alTop && a != alBottom && a != alClient)
    NewWidth = SaturateToInt32(std::max(right, inner.Left + sides) + (Width() - inner.Right));
  if (down && a != alLeft && a != alRight && a != alClient)
    NewHeight = SaturateToInt32(std::max(bottom, inner.Top + ends) + (Height() - inner.Bottom));
  return true;
}

namespace {

// Whether a control placed by alignment sorts before another of the same
// alignment: by its position along the axis, the control being moved first
// among equals.
bool AlignedBefore(TAlign a, const TControl* c1, const TControl* c2, const TControl* moving) {
  switch (a) {
    case alTop:
      return c1->Top() < c2->Top() || (c1->Top() == c2->Top() && c1 == moving);
    case alBottom:
      return c1->Top() + c1->Height() > c2->Top() + c2->Height() ||
             (c1->Top() + c1->Height() == c2->Top() + c2->Height() && c1 == moving);
    case alLeft:
      return c1->Left() < c2->Left() || (c1->Left() == c2->Left() && c1 == moving);
    case alRight:
      return c1->Left() + c1->Width() > c2->Left() + c2->Width() ||
             (c1->Left() + c1->Width() == c2->Left() + c2->Width() && c1 == moving);
    default:
      return false;
  }
}

}  // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  AdjustClientRect(Rect);
  std::vector<TControl*> list;
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) DoAlign(a, AControl, Rect, list);
  for (int32_t i = 0, n = ControlCount(); i < n; ++i) {
    TControl* c = Controls(i);
    if (c->Align() == alNone && c->Visible()) ApplyAnchors(c);
  }
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect,
                          std::vector<TControl*>& list) {
  list.clear();
  for (int32_t i = 0, n = ControlCount(); i < n; ++i) {
    TControl* c = Controls(i);
    if (c->Align() != AAlign || !c->Visible()) continue;
    auto pos = std::find_if(list.begin(), list.end(), [&](TControl* other) {
      return AlignedBefore(AAlign, c, other, AControl);
    });
    list.insert(pos, c);
  }
  for (TControl* c : list) {
    const int32_t w = Rect.Width(), h = Rect.Height();
    c->FControlState.Include(csAlignmentNeeded);
    switch (AAlign) {
      case alTop:
        c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
        Rect.Top += c->Height();
        break;
      case alBottom:
        c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
        Rect.Bottom -= c->Height();
        break;
      case alLeft:
        c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
        Rect.Left += c->Width();
        break;
      case alRight:
        c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
        Rect.Right -= c->Width();
        break;
      case alClient:
        c->SetBounds(Rect.Left, Rect.Top, w, h);
        break;
      default:
        break;
    }
    c->FControlState.Exclude(csAlignmentNeeded);
  }
}

void TWinControl::ApplyAnchors(TControl* c) {
  if (!c->FAnchorsValid) {
    c->UpdateAnchorRules();
    return;
  }
  const TAnchors a = c->Anchors();
  if (a == TAnchors{akLeft, akTop}) {
    c->FAnchorParentSize = {ClientWidth(), ClientHeight()};
    c->FAnchorRules = c->BoundsRect();
    return;
  }
  const TRect& rule = c->FAnchorRules;
  const int32_t dx = ClientWidth() - c->FAnchorParentSize.X;
  const int32_t dy = ClientHeight() - c->FAnchorParentSize.Y;
  int32_t left = rule.Left, width = rule.Width(), top = rule.Top, height = rule.Height();
  if (a.Contains(akRight)) {
    if (a.Contains(akLeft))
      width += dx;
    else
      left += dx;
  } else if (!a.Contains(akLeft)) {
    left += dx / 2;
  }
  if (a.Contains(akBottom)) {
    if (a.Contains(akTop))
      height += dy;
    else
      top += dy;
  } else if (!a.Contains(akTop)) {
    top += dy / 2;
  }
  c->FControlState.Include(csAlignmentNeeded);
  c->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
  c->FControlState.Exclude(csAlignmentNeeded);
}

// --- geometry
// -----------------------------------------------------------------

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  if (FParent) return FParent->Showing();
  return FWindow->Shown();
}

void TWinControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  if (!CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  ConstrainedResize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  // The window moves first; the control learns its new bounds from
  // WM_WINDOWPOSCHANGED, so a handler that runs before the host's still
  // sees the old ones.
  FWindow->SetRect(Bounds(ALeft, ATop, AWidth, AHeight));
  TWindowPos pos{Handle(), ALeft, ATop, AWidth, AHeight, 0};
  Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  const auto* pos = reinterpret_cast<const TWindowPos*>(Message.LParam);
  if (!pos) return;
  const TRect old = BoundsRect();
  const TRect now = Bounds(pos->x, pos->y, pos->cx, pos->cy);
  if (now == old) return;
  UpdateBoundsRect(now);
  FWindow->SetRect(now);
  const bool sized = now.Width() != old.Width() || now.Height() != old.Height();
  if (sized) Realign();
  RequestAlign();
  if (sized && !ComponentState().Contains(csLoading)) Resize();
}

// --- painting
// -----------------------------------------------------------------

void TWinControl::Invalidate() {
  InvalidateRect(Handle(), nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() { UpdateWindow(Handle()); }

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::WMPaint(TMessage& Message) { PaintHandler(Message); }

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) {
    FWindow->PaintPending();
    return;
  }
  // LParam of the paint message says whether the update asked for an erase.
  const bool erase = Message.LParam != 0;
  // Opaque windowless children cover their area: the window's own painting
  // leaves it out, and they paint it themselves below.
  Region own = DCClipRegion(dc);
  for (TControl* c : FControls)
    if (c->Visible() && c->ControlStyle().Contains(csOpaque)) own.Subtract(c->BoundsRect());
  if (!own.Empty()) {
    own.Offset(dc->Origin.X, dc->Origin.Y);
    const UniqueDC ownDC(CreateSurfaceDC(dc->Surface, dc->Origin, &own));
    if (erase) {
      TMessage e{WM_ERASEBKGND, reinterpret_cast<WPARAM>(ownDC.get()), 0, 0};
      WndProc(e);
    }
    PaintWindow(ownDC.get());
  }
  PaintControls(dc, nullptr);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
  FillRect(dc, ClientRect(), b);
  DeleteObject(b);
  Message.Result = 1;
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto start = FControls.begin();
  if (First) {
    start = std::find(FControls.begin(), FControls.end(), First);
    if (start == FControls.end()) return;
  }
  const Region clip = DCClipRegion(DC);
  const TRect clipBounds = clip.Bounds();
  // Index-based: a paint handler may change the list.
  for (size_t i = start - FControls.begin(); i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    const bool designVisible =
        c->ComponentState().Contains(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible);
    if (!c->Visible() && !designVisible) continue;
    const TRect b = c->BoundsRect();
    if (b.IsEmpty() || b.Right <= clipBounds.Left || b.Left >= clipBounds.Right ||
        b.Bottom <= clipBounds.Top || b.Top >= clipBounds.Bottom)
      continue;
    const UniqueDC child(CreateChildDC(DC, b));
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(child.get()), 0, 0};
    c->WndProc(m);
  }
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case WM_SETFOCUS:
      WMSetFocus(Message);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    case WM_KEYDOWN:
      WMKeyDown(Message);
      break;
    case WM_KEYUP:
      WMKeyUp(Message);
      break;
    case WM_CHAR:
      WMChar(Message);
      break;
    case CM_ENTER:
      CMEnter(Message);
      break;
    case CM_EXIT:
      CMExit(Message);
      break;
    default:
      inherited::Dispatch(Message);
      break;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  for (int32_t i = 0; i < ControlCount(); ++i) Controls(i)->Perform(Msg);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  inherited::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  inherited::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage& Message) {
  inherited::CMBiDiModeChanged(Message);
  NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  inherited::CMVisibleChanged(Message);
  if (Visible()) FWindow->Invalidate(nullptr, true);
  if (!Visible() && ContainsFocus(this)) FocusLost(this);
}

// --- focus and keyboard
// -------------------------------------------------------

TTabOrder TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<TTabOrder>(it - l.begin());
}

void TWinControl::SetTabOrder(TTabOrder v) {
  if (!FParent) return;
  auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  if (it == l.end()) return;
  l.erase(it);
  const auto n = static_cast<TTabOrder>(l.size());
  if (v < 0 || v > n) v = n;
  l.insert(l.begin() + v, this);
}

bool TWinControl::Focused() const { return FocusedControl() == this; }

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return GetParentForm(this) != nullptr;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(this);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), Current) - list.begin());
  if (start == n) start = GoForward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    const int i = ((GoForward ? start + step : start - step) % n + n) % n;
    TWinControl* c = list[i];
    if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
      return c;
  }
  return nullptr;
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  KeyDown(key, KeysToShiftState(static_cast<WPARAM>(Message.LParam)));
  Message.WParam = key;
}

void TWinControl::WMKeyUp(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  KeyUp(key, KeysToShiftState(static_cast<WPARAM>(Message.LParam)));
  Message.WParam = key;
}

void TWinControl::WMChar(TMessage& Message) {
  char key = static_cast<char>(Message.WParam);
  KeyPress(key);
  Message.WParam = static_cast<unsigned char>(key);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == root) proc(c);
  }
}

}  // namespace host
