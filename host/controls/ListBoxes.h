#pragma once
// TListBox: a list of strings, one of which may be selected. The selection
// follows the pointer while the left button is held, and the arrow, page,
// Home and End keys; the list scrolls to keep the selection in view.
#include <memory>

#include "host/classes/Strings.h"
#include "host/controls/Controls.h"
#include "host/graphics/Color.h"

namespace host {

class TCustomListBox : public TCustomControl {
  HOST_CLASS(TCustomListBox, TCustomControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);

  // The declared defaults of a new list box that differ from a control's.
  static constexpr TColor kDefaultColor = clWindow;
  static constexpr bool kDefaultTabStop = true;
  static constexpr int32_t kDefaultItemHeight = 16;
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  // -1 when nothing is selected; out-of-range values select nothing.
  int32_t ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int32_t v);
  // Height of one row in pixels, at least 1.
  int32_t ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int32_t v);
  // The first visible row; clamped so the list does not scroll past its end.
  int32_t TopIndex() const { return FTopIndex; }
  void SetTopIndex(int32_t v);
  bool Sorted() const;
  void SetSorted(bool v);

  // The row at a client point, or -1 past the last row (or outside when
  // Existing is false, the nearest row).
  int32_t ItemAtPos(TPoint Pos, bool Existing) const;
  TRect ItemRect(int32_t Index) const;
  // How many whole rows the client area shows.
  int32_t VisibleRows() const;
  // Where the rows are drawn: inside the frame, left of the scroll bar.
  TRect ListRect() const;
  void Clear() { FItems->Clear(); }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void WMWindowPosChanged(TMessage& Message) override;
  // The user changed the selection (pointer or keys).
  void SelectByUser(int32_t Index);
  void ScrollInView(int32_t Index);

 private:
  void ItemsChanged(TObject* Sender);
  bool ScrollBarShown() const;
  TRect ScrollTrack() const;

  std::unique_ptr<TStringList> FItems;
  int32_t FItemIndex = -1;
  int32_t FItemHeight = kDefaultItemHeight;
  int32_t FTopIndex = 0;
};

class TListBox : public TCustomListBox {
  HOST_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
  static const TPublished& PublishedProperties();
};

}  // namespace host
