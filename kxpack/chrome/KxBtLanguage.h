#pragma once
// A language button: a monitor with the language's flag and the language's
// name beside it, on a black box that fits the name. A click hands the
// button's ModalResult to the form and fires OnClick; the application
// switches the language.
#include <memory>

#include "host/controls/Controls.h"
#include "kxpack/foundations/KxControls.h"
#include "kxpack/foundations/KxTypes.h"

namespace kx {

class TKxBtLanguage : public host::TGraphicControl, public TKxAbout {
  HOST_CLASS(TKxBtLanguage, host::TGraphicControl)
 public:
  explicit TKxBtLanguage(TComponent* AOwner);
  ~TKxBtLanguage() override;
  static const TPublished& PublishedProperties();

  static constexpr host::TColor kDefaultColor = host::clWindow;
  static constexpr host::TColor kDefaultFontColor = host::clWhite;
  static constexpr host::TCursor kDefaultCursor = host::crHandPoint;
  // Where the name starts, and what the box leaves beyond it.
  static constexpr TPoint kNameAt{40, 25};
  static constexpr int32_t kNameRightSpace = 45 - 40;
  static constexpr int32_t kNameBottomSpace = 30 - 25;

  host::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(host::TModalResult Value) { FModalResult = Value; }
  // The button's own flag: it blocks the click only; the look stays.
  bool KxEnabled() const { return FKxEnabled; }
  void SetKxEnabled(bool Value);
  TKxTypeLanguage Language() const { return FLanguage; }
  void SetKxLanguage(TKxTypeLanguage Value);

  // The name drawn for a language.
  static const char* LanguageName(TKxTypeLanguage Language);

 protected:
  // The image and the name; the box takes the name's size (text width + 45
  // by text height + 30), so a new name or font repaints at the new size.
  void Paint() override;
  void Click() override;

 private:
  host::TModalResult FModalResult = host::mrNone;
  bool FKxEnabled = true;
  std::unique_ptr<TBitmap> FBtBitmap;
  TKxTypeLanguage FLanguage = ttlgUs;
};

}  // namespace kx
