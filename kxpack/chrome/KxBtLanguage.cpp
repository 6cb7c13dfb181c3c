#include "kxpack/chrome/KxBtLanguage.h"

#include "host/classes/ClassRegistry.h"
#include "kxpack/chrome/KxChromeButton.h"
#include "kxpack/package/KxPack.h"

namespace kx {

using namespace host;

namespace {

// The 50 x 41 image of each language.
const char* ImageName(TKxTypeLanguage Language) {
  switch (Language) {
    case ttlgDe:
      return "BtWebDe";
    case ttlgFr:
      return "BtWebFr";
    case ttlgUs:
      break;
  }
  return "BtWebUs";
}

constexpr int32_t kImageWidth = 50;
constexpr int32_t kImageHeight = 41;

}  // namespace

const char* TKxBtLanguage::LanguageName(TKxTypeLanguage Language) {
  switch (Language) {
    case ttlgDe:
      return "Deutch";
    case ttlgFr:
      return "French";
    case ttlgUs:
      break;
  }
  return "English";
}

TKxBtLanguage::TKxBtLanguage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 77, 41);
  SetColor(kDefaultColor);
  Font()->SetColor(kDefaultFontColor);
  SetCursor(kDefaultCursor);
  SetKxLanguage(ttlgUs);
}

TKxBtLanguage::~TKxBtLanguage() = default;

void TKxBtLanguage::SetKxEnabled(bool Value) {
  FKxEnabled = Value;
  Invalidate();
}

void TKxBtLanguage::SetKxLanguage(TKxTypeLanguage Value) {
  // If the bitmap cannot be made, the box stays as it is.
  Swallowing([&] {
    FLanguage = Value;
    FBtBitmap = std::make_unique<TBitmap>();
    Invalidate();
  });
}

void TKxBtLanguage::Paint() {
  // A missing image leaves the black box and what was drawn before.
  Swallowing([&] {
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->Rectangle(ClientRect());
    canvas->Font()->Assign(Font());
    FBtBitmap->LoadFromResourceName(HInstance(), ImageName(FLanguage));
    canvas->CopyRect(Rect(1, 1, kImageWidth + 1, kImageHeight + 1), FBtBitmap->Canvas(),
                     Rect(0, 0, kImageWidth, kImageHeight));
    const std::string name = LanguageName(FLanguage);
    SetBounds(Left(), Top(), canvas->TextWidth(name) + kNameAt.X + kNameRightSpace,
              canvas->TextHeight(name) + kNameAt.Y + kNameBottomSpace);
    canvas->TextOut(kNameAt.X, kNameAt.Y, name);
  });
}

void TKxBtLanguage::Click() {
  if (!FKxEnabled) return;
  HandModalResult(this, FModalResult);
  inherited::Click();
}

const TPublished& TKxBtLanguage::PublishedProperties() {
  using T = TKxBtLanguage;
  static const TPublished table = [] {
    TPublishBuilder<T> b = Publish<T>();
    b.SetDefault("Cursor", kDefaultCursor)
        .Hide("HelpType")
        .Hide("HelpKeyword")
        .Hide("HelpContext")
        .Publish("Anchors", "Font", "Hint", "Color")
        .Default(kDefaultColor)
        .StoredUnlessDefault()
        .Publish("OnClick", "OnMouseDown", "OnMouseUp", "ShowHint", "Visible", "PopupMenu");
    PublishAbout(b)
        .Int("ModalResult", &T::ModalResult, &T::SetModalResult)
        .Bool("Enabled", &T::KxEnabled, &T::SetKxEnabled)
        .Enum("Language", &T::Language, &T::SetKxLanguage);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (RegisterClass<TKxBtLanguage>(), true);
}  // namespace

}  // namespace kx
