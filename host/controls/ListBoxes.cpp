#include "host/controls/ListBoxes.h"

#include <algorithm>

#include "host/classes/ClassRegistry.h"
#include "host/controls/ControlFrames.h"
#include "host/graphics/Color.h"
#include "host/graphics/TextLayout.h"
#include "host/platform/VirtualKeys.h"

namespace host {

namespace {
constexpr int32_t kFrame = kSunkenBorder;
constexpr int32_t kScrollBar = 16;  // the vertical scroll bar's width
constexpr int32_t kWheelDelta = 120;
}  // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  FItems->OnChange = TNotifyEvent(this, &TCustomListBox::ItemsChanged);
  SetTabStop(kDefaultTabStop);
  SetColor(kDefaultColor);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() { FItems->OnChange = nullptr; }

void TCustomListBox::ItemsChanged(TObject*) {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  SetTopIndex(FTopIndex);
  Invalidate();
}

bool TCustomListBox::Sorted() const { return FItems->Sorted(); }
void TCustomListBox::SetSorted(bool v) { FItems->SetSorted(v); }

void TCustomListBox::SetItemIndex(int32_t v) {
  if (v < -1 || v >= FItems->Count()) v = -1;
  if (v == FItemIndex) return;
  FItemIndex = v;
  ScrollInView(v);
  Invalidate();
}

void TCustomListBox::SetItemHeight(int32_t v) {
  v = std::max(v, 1);
  if (v == FItemHeight) return;
  FItemHeight = v;
  SetTopIndex(FTopIndex);
  Invalidate();
}

TRect TCustomListBox::ListRect() const {
  TRect r = ClientRect();
  r = Rect(r.Left + kFrame, r.Top + kFrame, r.Right - kFrame, r.Bottom - kFrame);
  if (ScrollBarShown()) r.Right -= kScrollBar;
  return r;
}

int32_t TCustomListBox::VisibleRows() const {
  const TRect c = ClientRect();
  return std::max((c.Height() - 2 * kFrame) / FItemHeight, 1);
}

bool TCustomListBox::ScrollBarShown() const { return FItems->Count() > VisibleRows(); }

TRect TCustomListBox::ScrollTrack() const {
  const TRect list = ListRect();
  return Rect(list.Right, list.Top, list.Right + kScrollBar, list.Bottom);
}

void TCustomListBox::SetTopIndex(int32_t v) {
  v = std::clamp(v, 0, std::max(FItems->Count() - VisibleRows(), 0));
  if (v == FTopIndex) return;
  FTopIndex = v;
  Invalidate();
}

void TCustomListBox::ScrollInView(int32_t Index) {
  if (Index < 0) return;
  if (Index < FTopIndex)
    SetTopIndex(Index);
  else if (Index >= FTopIndex + VisibleRows())
    SetTopIndex(Index - VisibleRows() + 1);
}

int32_t TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  const TRect r = ListRect();
  if (FItems->Count() == 0) return -1;
  const int32_t row = Pos.Y < r.Top ? -1 : (Pos.Y - r.Top) / FItemHeight;
  const int32_t index = FTopIndex + row;
  if (Existing) {
    if (Pos.X < r.Left || Pos.X >= r.Right || Pos.Y < r.Top || Pos.Y >= r.Bottom) return -1;
    return index < FItems->Count() ? index : -1;
  }
  return std::clamp(index, 0, FItems->Count() - 1);
}

TRect TCustomListBox::ItemRect(int32_t Index) const {
  const TRect r = ListRect();
  const int32_t top = r.Top + (Index - FTopIndex) * FItemHeight;
  return Rect(r.Left, top, r.Right, top + FItemHeight);
}

void TCustomListBox::SelectByUser(int32_t Index) {
  if (Index < 0 || Index == FItemIndex) return;
  SetItemIndex(Index);
  ScrollInView(Index);
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    if (CanFocus()) SetFocus();
    // A press on the scroll bar's track pages towards the pointer.
    if (ScrollBarShown() && ScrollTrack().Contains(Point(X, Y))) {
      const TRect thumb =
          ScrollThumbRect(ScrollTrack(), true, VisibleRows(), FItems->Count(), FTopIndex);
      if (Y < thumb.Top) SetTopIndex(FTopIndex - VisibleRows());
      if (Y >= thumb.Bottom) SetTopIndex(FTopIndex + VisibleRows());
    } else {
      SelectByUser(ItemAtPos(Point(X, Y), true));
    }
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  // While the button is held the selection follows the pointer, and the
  // list scrolls when the pointer leaves it above or below.
  if (Shift.Contains(ssLeft) && MouseCapture()) {
    const TRect r = ListRect();
    if (Y < r.Top && FTopIndex > 0)
      SelectByUser(FTopIndex - 1);
    else if (Y >= r.Bottom)
      SelectByUser(std::min(FTopIndex + VisibleRows(), FItems->Count() - 1));
    else
      SelectByUser(ItemAtPos(Point(X, Y), false));
  }
  inherited::MouseMove(Shift, X, Y);
}

void TCustomListBox::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const int32_t count = FItems->Count();
  if (count == 0) return;
  const int32_t page = std::max(VisibleRows() - 1, 1);
  int32_t target;
  switch (Key) {
    case VK_UP:
    case VK_LEFT:
      target = FItemIndex < 0 ? 0 : FItemIndex - 1;
      break;
    case VK_DOWN:
    case VK_RIGHT:
      target = FItemIndex + 1;
      break;
    case VK_PRIOR:
      target = FItemIndex - page;
      break;
    case VK_NEXT:
      target = FItemIndex + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    default:
      return;
  }
  target = std::clamp(target, 0, count - 1);
  Key = 0;
  if (target == FItemIndex) return;
  SelectByUser(target);
  Click();
}

void TCustomListBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEWHEEL) {
    const auto delta = static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF);
    SetTopIndex(FTopIndex - delta / kWheelDelta * 3);
    Message.Result = 1;
    return;
  }
  inherited::WndProc(Message);
}

void TCustomListBox::WMWindowPosChanged(TMessage& Message) {
  inherited::WMWindowPosChanged(Message);
  SetTopIndex(FTopIndex);
  Invalidate();
}

void TCustomListBox::Paint() {
  TCanvas* canvas = Canvas();
  TRect frame = ClientRect();
  DrawSunkenBorder(canvas, frame);
  const TRect list = ListRect();
  canvas->Font()->Assign(Font());
  for (int32_t row = 0; row <= VisibleRows(); ++row) {
    const int32_t index = FTopIndex + row;
    TRect r = ItemRect(index);
    r.Bottom = std::min(r.Bottom, list.Bottom);
    if (r.Top >= list.Bottom) break;
    const bool selected = index == FItemIndex;
    canvas->Brush()->SetColor(selected ? clHighlight : Color());
    canvas->FillRect(r);
    if (index >= FItems->Count()) continue;
    canvas->Font()->SetColor(selected ? clHighlightText : Font()->Color());
    TRect text = Rect(r.Left + 2, r.Top, r.Right, r.Bottom);
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas->Handle(), FItems->Strings(index), text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
  }
  if (ScrollBarShown())
    DrawScrollBar(canvas, ScrollTrack(), true, VisibleRows(), FItems->Count(), FTopIndex);
}

const TPublished& TListBox::PublishedProperties() {
  using T = TListBox;
  static const TPublished table =
      Publish<T>()
          .Publish("Align", "Anchors", "Color")
          .Default(kDefaultColor)
          .Publish("Constraints", "Enabled", "Font")
          .Int("ItemHeight", &T::ItemHeight, &T::SetItemHeight, kDefaultItemHeight)
          .Strings("Items", &T::Items, &T::SetItems)
          .Publish("ParentColor")
          .Default(false)
          .Publish("ParentFont", "ParentShowHint", "ShowHint")
          .Bool("Sorted", &T::Sorted, &T::SetSorted, false)
          .Publish("TabOrder", "TabStop")
          .Default(kDefaultTabStop)
          .Publish("Visible")
          .PublishEvents("OnClick", "OnDblClick", kFocusEvents, kKeyEvents, kMouseEvents);
  return table;
}

const bool kListBoxRegistered = (RegisterClass<TListBox>(), true);

}  // namespace host
