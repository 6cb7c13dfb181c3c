#pragma once
// TLabel: a windowless caption. Auto-sized by default to fit its text.
#include "host/controls/Controls.h"
#include "host/controls/TextAlignment.h"

namespace host {

class TCustomLabel : public TGraphicControl {
  HOST_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);

  // The declared defaults of a new label that differ from a control's.
  static constexpr bool kDefaultAutoSize = true;
  static constexpr bool kDefaultShowAccelChar = true;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // Without a background: what lies beneath shows around the letters.
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  // The control its accelerator key focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* v);

 protected:
  void Paint() override;
  bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  uint32_t DrawFlags() const;
  // Resizes to the text when AutoSize; keeps the right edge of a
  // right-justified label where it is.
  void AdjustBounds();

  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = kDefaultShowAccelChar;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  HOST_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;
  static const TPublished& PublishedProperties();
};

}  // namespace host
