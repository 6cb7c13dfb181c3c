#include "host/controls/ComboBoxes.h"

#include <cctype>

#include "host/classes/ClassRegistry.h"
#include "host/controls/ControlFrames.h"
#include "host/graphics/Color.h"
#include "host/graphics/TextLayout.h"
#include "host/platform/VirtualKeys.h"
#include "host/threads/MessageLoop.h"

namespace host {

namespace {
constexpr int32_t kButtonWidth = 17;
constexpr Word kVkF4 = 0x73;
// Posted to the combo box: the drop-down lost the focus, close it once the
// focus change is over.
constexpr UINT CM_CLOSEUPLATER = WM_USER + 0x0B01;

// Keys and characters the drop-down's controls receive go to the combo box.
class TComboListBox : public TCustomListBox {
  HOST_CLASS(TComboListBox, TCustomListBox)
 public:
  TComboListBox(TComponent* AOwner, TCustomComboBox* combo)
      : TCustomListBox(AOwner), FCombo(combo) {}

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override { FCombo->HandleKey(Key, Shift); }
  void KeyPress(char& Key) override { FCombo->HandleChar(Key); }

 private:
  TCustomComboBox* FCombo;
};
}  // namespace

// --- TComboDropDown ----------------------------------------------------------

TComboDropDown::TComboDropDown(TCustomComboBox* Combo) : TCustomForm(nullptr), FCombo(Combo) {
  SetBorderStyle(bsNone);
  FList = new TComboListBox(this, Combo);
  FList->SetParent(this);
  FList->SetAlign(alClient);
  FList->SetOnClick([this](TObject*) { FCombo->CloseUp(true); });
  SetOnDeactivate([this](TObject*) { PostMessage(FCombo->Handle(), CM_CLOSEUPLATER); });
}

void TComboDropDown::KeyDown(Word& Key, TShiftState Shift) { FCombo->HandleKey(Key, Shift); }
void TComboDropDown::KeyPress(char& Key) { FCombo->HandleChar(Key); }

// --- TCustomComboBox ---------------------------------------------------------

void TCustomComboBox::DropDownFree::operator()(TComboDropDown* f) const { f->Free(); }

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  FItems->OnChange = TNotifyEvent(this, &TCustomComboBox::ItemsChanged);
  SetTabStop(kDefaultTabStop);
  SetColor(kDefaultColor);
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
  FItems->OnChange = nullptr;
  FDropDown.reset();
}

void TCustomComboBox::ItemsChanged(TObject*) {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FDropDown) FDropDown->List()->Items()->Assign(FItems.get());
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int32_t v) {
  if (v < -1 || v >= FItems->Count()) v = -1;
  FItemIndex = v;
  SetText(v >= 0 ? FItems->Strings(v) : std::string());
  FItemIndex = v;
  if (FDropDown) FDropDown->List()->SetItemIndex(v);
  Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == csSimple) v = csDropDown;
  if (v == FStyle) return;
  FStyle = v;
  // A list-only combo box shows only item texts.
  if (v == csDropDownList && FItemIndex < 0) SetText("");
  Invalidate();
}

void TCustomComboBox::CMTextChanged(TMessage&) {
  FItemIndex = FItems->IndexOf(Text());
  Invalidate();
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::SelectByUser(int32_t Index) {
  if (Index < 0 || Index >= FItems->Count() || Index == FItemIndex) return;
  SetItemIndex(Index);
  Change();
}

bool TCustomComboBox::DroppedDown() const { return FDropDown && FDropDown->Visible(); }

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == DroppedDown()) return;
  if (!v) {
    CloseUp(false);
    return;
  }
  if (FOnDropDown) FOnDropDown(this);
  FDropDown.reset(new TComboDropDown(this));
  TCustomListBox* list = FDropDown->List();
  list->Font()->Assign(Font());
  list->Items()->Assign(FItems.get());
  const int32_t rows = std::clamp(FItems->Count(), 1, FDropDownCount);
  const TPoint below = ClientToScreen(Point(0, Height()));
  FDropDown->SetBounds(below.X, below.Y, Width(), rows * list->ItemHeight() + 4);
  list->SetItemIndex(FItemIndex);
  FDropDown->Show();
  Invalidate();
}

void TCustomComboBox::CloseUp(bool Accept) {
  if (!FDropDown) return;
  const int32_t chosen = FDropDown->List()->ItemIndex();
  // Freed after the messages now queued: this may run inside the list's own
  // click handler.
  FDropDown->Hide();
  FDropDown.release()->Release();
  if (Accept) SelectByUser(chosen);
  if (FOnCloseUp) FOnCloseUp(this);
  Invalidate();
}

void TCustomComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == CM_CLOSEUPLATER) {
    if (FDropDown && !FDropDown->Active()) CloseUp(false);
    return;
  }
  inherited::WndProc(Message);
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == mbLeft) {
    if (CanFocus()) SetFocus();
    // The list-only style drops down from anywhere, the other from its button.
    if (FStyle == csDropDownList || X >= Width() - kButtonWidth) SetDroppedDown(!DroppedDown());
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  HandleKey(Key, Shift);
}

void TCustomComboBox::HandleKey(Word& Key, TShiftState Shift) {
  const bool dropped = DroppedDown();
  TCustomListBox* list = dropped ? FDropDown->List() : nullptr;
  const int32_t current = list ? list->ItemIndex() : FItemIndex;
  int32_t target = -1;
  switch (Key) {
    case kVkF4:
      SetDroppedDown(!dropped);
      break;
    case VK_UP:
    case VK_DOWN:
      if (Shift.Contains(ssAlt)) {
        SetDroppedDown(!dropped);
        break;
      }
      target = Key == VK_UP ? std::max(current - 1, 0) : current + 1;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = FItems->Count() - 1;
      break;
    case VK_RETURN:
      if (!dropped) return;
      CloseUp(true);
      break;
    case VK_ESCAPE:
      if (!dropped) return;
      CloseUp(false);
      break;
    case VK_BACK:
      if (FStyle == csDropDownList || Text().empty()) return;
      SetText(Text().substr(0, Text().size() - 1));
      Change();
      break;
    default:
      return;
  }
  Key = 0;
  if (target < 0 || target >= FItems->Count()) return;
  // While the list is open the keys move its selection; Enter takes it.
  if (list)
    list->SetItemIndex(target);
  else
    SelectByUser(target);
}

void TCustomComboBox::KeyPress(char& Key) {
  inherited::KeyPress(Key);
  HandleChar(Key);
  Key = 0;
}

void TCustomComboBox::HandleChar(char Key) {
  if (static_cast<unsigned char>(Key) < ' ') return;
  if (FStyle == csDropDownList) {
    // The next item after the selection that starts with the letter.
    const int32_t n = FItems->Count();
    for (int32_t step = 1; step <= n; ++step) {
      const int32_t i = (FItemIndex + step + n) % n;
      const std::string& s = FItems->Strings(i);
      if (!s.empty() && std::tolower(static_cast<unsigned char>(s[0])) ==
                            std::tolower(static_cast<unsigned char>(Key))) {
        if (DroppedDown())
          FDropDown->List()->SetItemIndex(i);
        else
          SelectByUser(i);
        return;
      }
    }
    return;
  }
  SetText(Text() + Key);
  if (DroppedDown()) FDropDown->List()->SetItemIndex(FItemIndex);
  Change();
}

void TCustomComboBox::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  DrawSunkenBorder(canvas, r);
  TRect button = Rect(r.Right - kButtonWidth + 2, r.Top, r.Right, r.Bottom);
  TRect field = Rect(r.Left, r.Top, button.Left, r.Bottom);
  const bool selected = Focused() && FStyle == csDropDownList && !DroppedDown();
  canvas->Brush()->SetColor(selected ? clHighlight : Color());
  canvas->FillRect(field);
  canvas->Font()->Assign(Font());
  if (selected) canvas->Font()->SetColor(clHighlightText);
  canvas->Brush()->SetStyle(bsClear);
  TRect text = Rect(field.Left + 2, field.Top, field.Right, field.Bottom);
  DrawText(canvas->Handle(), Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  canvas->Brush()->SetStyle(bsSolid);
  // The button with a small arrow pointing down.
  Frame3D(canvas, button, clBtnHighlight, cl3DDkShadow, 1);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(button);
  canvas->Brush()->SetColor(Enabled() ? clBtnText : clGrayText);
  const int32_t cx = (button.Left + button.Right) / 2, cy = (button.Top + button.Bottom) / 2 - 1;
  for (int32_t i = 0; i < 4; ++i)
    canvas->FillRect(Rect(cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1));
}

const TPublished& TComboBox::PublishedProperties() {
  using T = TComboBox;
  static const TPublished table =
      Publish<T>()
          .Publish("Anchors")
          .Enum("Style", &T::Style, &T::SetStyle, csDropDown)
          .Publish("Color")
          .Default(kDefaultColor)
          .Publish("Constraints")
          .Int("DropDownCount", &T::DropDownCount, &T::SetDropDownCount, kDefaultDropDownCount)
          .Publish("Enabled", "Font")
          .Strings("Items", &T::Items, &T::SetItems)
          .Int("ItemIndex", &T::ItemIndex, &T::SetItemIndex, -1)
          .ReadLast()
          .Publish("ParentColor")
          .Default(false)
          .Publish("ParentFont", "ShowHint", "TabOrder", "TabStop")
          .Default(kDefaultTabStop)
          .Publish("Text", "Visible")
          .Event("OnChange", &T::FOnChange)
          .Publish("OnClick")
          .Event("OnCloseUp", &T::FOnCloseUp)
          .Event("OnDropDown", &T::FOnDropDown)
          .PublishEvents(kFocusEvents, "OnKeyDown", "OnKeyPress");
  return table;
}

const bool kComboBoxRegistered = (RegisterClass<TComboBox>(), true);

}  // namespace host
