#include "host/graphics/Bitmap.h"

#include <algorithm>

#include "host/graphics/BmpCodec.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/GdiSurface.h"
#include "host/graphics/PngCodec.h"

namespace host {

// --- TGraphic ---------------------------------------------------------------

void TGraphic::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& FileName) const {
  // Encode completely before the file is touched, so a failure leaves it as it was.
  TMemoryStream encoded;
  SaveToStream(encoded);
  encoded.SaveToFile(FileName);
}

void TGraphic::Changed() {
  FModified = true;
  if (FOnChange) FOnChange(this);
}

// --- TBitmap ----------------------------------------------------------------

// The canvas of a bitmap: a memory DC with the bitmap's pixels selected.
class TBitmap::TBitmapCanvas : public TCanvas {
  HOST_CLASS(TBitmapCanvas, TCanvas)
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { SetHandle(nullptr); }
  void Retarget(HBITMAP image) {
    if (dc_) SelectObject(dc_.get(), image);
  }

 protected:
  void CreateHandle() override {
    if (!dc_) {
      dc_.reset(CreateCompatibleDC(nullptr));
      SelectObject(dc_.get(), bitmap_.FImage.get());
    }
    SetHandle(dc_.get());
  }

 private:
  TBitmap& bitmap_;
  UniqueDC dc_;
};

TBitmap::TBitmap() : FImage(std::make_unique<BitmapImage>()) {}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width() && AHeight == Height()) return;
  FImage->SetSize(AWidth, AHeight, 0xFFFFFF);
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(*this);
    FCanvas->SetOnChange([this](TObject*) { Changed(); });
  }
  return FCanvas.get();
}

void TBitmap::ReplaceImage(std::unique_ptr<BitmapImage> image) {
  FImage = std::move(image);
  if (FCanvas) FCanvas->Retarget(FImage.get());
  Changed();
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FImage.get()) return;
  ReplaceImage(Value ? std::unique_ptr<BitmapImage>(Value) : std::make_unique<BitmapImage>());
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP released = FImage.release();
  ReplaceImage(std::make_unique<BitmapImage>());
  return released;
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  SetPixelFormat(Value ? pf1bit : pfDevice);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FImage->PixelFormat) return;
  if (Value == pf1bit)
    std::transform(FImage->Pixels.begin(), FImage->Pixels.end(), FImage->Pixels.begin(),
                   gdi::NearestMono);
  FImage->PixelFormat = Value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  return Empty() ? clNone : PixelToColor(FImage->At(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor Value) {
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

uint32_t* TBitmap::ScanLine(int32_t Row) {
  if (Row < 0 || Row >= Height()) throw EInvalidGraphic("Scan line index out of range");
  return FImage->Row(Row);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    ReplaceImage(std::make_unique<BitmapImage>());
    return;
  }
  if (auto* picture = As<TPicture>(Source)) return Assign(picture->Graphic());
  if (auto* bitmap = As<TBitmap>(Source)) {
    if (bitmap == this) return;
    *FImage = *bitmap->FImage;
    FTransparent = bitmap->FTransparent;
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    FHandleType = bitmap->FHandleType;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::LoadFromResourceName(HMODULE Instance, const std::string& ResName) {
  SetHandle(LoadBitmap(Instance, ResName));
}

void TBitmap::LoadFromStream(TStream& Stream) {
  const std::vector<uint8_t> data = Stream.ReadRemaining();
  auto image = std::make_unique<BitmapImage>(LooksLikePng(data.data(), data.size())
                                                 ? DecodePng(data.data(), data.size())
                                                 : DecodeBmp(data.data(), data.size()));
  ReplaceImage(std::move(image));
}

void TBitmap::SaveToStream(TStream& Stream) const {
  const std::vector<uint8_t> data = EncodeBmp(*FImage);
  Stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TBitmap::Draw(TCanvas& ACanvas, const TRect& Rect) {
  HDC dst = ACanvas.Handle();
  HDC src = Canvas()->Handle();
  if (Transparent())
    TransparentBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width(),
                   Height(), static_cast<COLORREF>(ColorToRGB(TransparentColor())));
  else
    StretchBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width(), Height(),
               static_cast<DWORD>(ACanvas.CopyMode()));
}

// --- TPicture ---------------------------------------------------------------

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->SetOnChange([this](TObject*) { Changed(); });
  Changed();
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) return Hold(nullptr);
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(Value);  // raises for a graphic that is not a bitmap
  Hold(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (!As<TBitmap>(FGraphic.get())) Hold(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) return SetGraphic(nullptr);
  if (auto* picture = As<TPicture>(Source)) {
    if (picture != this) SetGraphic(picture->Graphic());
    return;
  }
  if (auto* graphic = As<TGraphic>(Source)) return SetGraphic(graphic);
  inherited::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (auto* graphic = As<TGraphic>(Dest)) return graphic->Assign(FGraphic.get());
  inherited::AssignTo(Dest);
}

void TPicture::LoadFromFile(const std::string& FileName) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromFile(FileName);
  Hold(std::move(bitmap));
}

void TPicture::SaveToFile(const std::string& FileName) const {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace host
