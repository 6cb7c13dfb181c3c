#pragma once
// TComboBox: a text box with a list that drops down below it. csDropDown
// lets the user type any text (an item whose text matches is selected);
// csDropDownList only picks items, a typed letter selecting the next item
// that starts with it. OnChange fires for every change the user makes.
#include <memory>

#include "host/classes/Strings.h"
#include "host/controls/Forms.h"
#include "host/controls/ListBoxes.h"

namespace host {

HOST_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

class TComboDropDown;

class TCustomComboBox : public TCustomControl {
  HOST_CLASS(TCustomComboBox, TCustomControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);

  // The declared defaults of a new combo box that differ from a control's.
  static constexpr TColor kDefaultColor = clWindow;
  static constexpr bool kDefaultTabStop = true;
  static constexpr int32_t kDefaultDropDownCount = 8;
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  // -1 when the text is no item's; setting it shows that item's text.
  int32_t ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int32_t v);
  // csSimple is shown as csDropDown.
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  // Rows the drop-down list shows before it scrolls, at least 1.
  int32_t DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int32_t v) { FDropDownCount = std::max(v, 1); }
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  // The list window while it is dropped down, else nullptr.
  TComboDropDown* DropDownForm() const { return FDropDown.get(); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent v) { FOnChange = std::move(v); }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent v) { FOnDropDown = std::move(v); }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent v) { FOnCloseUp = std::move(v); }

  // Keys and characters of the drop-down list come here.
  void HandleKey(Word& Key, TShiftState Shift);
  void HandleChar(char Key);
  // Takes the item the list chose (or not) and closes the list.
  void CloseUp(bool Accept);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void WndProc(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  virtual void Change();

 private:
  friend class TComboDropDown;
  // Selects an item for the user: its text, then OnChange.
  void SelectByUser(int32_t Index);
  void ItemsChanged(TObject* Sender);

  std::unique_ptr<TStringList> FItems;
  int32_t FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  int32_t FDropDownCount = kDefaultDropDownCount;
  struct DropDownFree {
    void operator()(TComboDropDown* f) const;
  };
  std::unique_ptr<TComboDropDown, DropDownFree> FDropDown;

 protected:
  TNotifyEvent FOnChange;
  TNotifyEvent FOnDropDown;
  TNotifyEvent FOnCloseUp;
};

// The borderless window of the dropped-down list. Its keys go to the combo
// box; a click on an item picks it; losing the focus closes it.
class TComboDropDown : public TCustomForm {
  HOST_CLASS(TComboDropDown, TCustomForm)
 public:
  explicit TComboDropDown(TCustomComboBox* Combo);
  TCustomListBox* List() const { return FList; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  TCustomComboBox* FCombo;
  TCustomListBox* FList;
};

class TComboBox : public TCustomComboBox {
  HOST_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
  static const TPublished& PublishedProperties();
};

}  // namespace host
