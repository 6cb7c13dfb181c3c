#include "host/graphics/Canvas.h"

#include "host/graphics/Bitmap.h"
#include "host/graphics/FontEngine.h"

namespace host {

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()) {
  FPen->SetOnChange([this](TObject*) { FPenValid = false; });
  FBrush->SetOnChange([this](TObject*) { FBrushValid = false; });
  FFont->SetOnChange([this](TObject*) { FFontValid = false; });
}

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  SelectObjects();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  FHandle = Value;
  FPenValid = FBrushValid = FFontValid = false;
}

void TCanvas::CreateHandle() {}

void TCanvas::SelectObjects() {
  if (!FPenValid) {
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
    FPenValid = true;
  }
  if (!FBrushValid) {
    SelectObject(FHandle, FBrush->Handle());
    SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
    SetBkMode(FHandle, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
    FBrushValid = true;
  }
  if (!FFontValid) {
    SelectObject(FHandle, &ResolveFont(*FFont));
    SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    FFontValid = true;
  }
}

TPoint TCanvas::PenPos() { return Handle()->Position; }

TRect TCanvas::ClipRect() {
  TRect r;
  GetClipBox(Handle(), r);
  return r;
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  host::FillRect(Handle(), Rect, FBrush->Handle());
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  host::Rectangle(Handle(), X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
  Changing();
  host::LineTo(Handle(), X, Y);
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  Changing();
  host::Polyline(Handle(), Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  Graphic->Draw(*this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  Graphic->Draw(*this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  HDC src = Canvas->Handle();
  StretchBlt(Handle(), Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left,
             Source.Top, Source.Width(), Source.Height(), static_cast<DWORD>(FCopyMode));
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap) return;
  Changing();
  HDC dst = Handle();
  std::optional<COLORREF> fill;
  if (FBrush->Style() != bsClear) fill = static_cast<COLORREF>(ColorToRGB(FBrush->Color()));
  TransparentBlt(dst, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Bitmap->Canvas()->Handle(),
                 Source.Left, Source.Top, Source.Width(), Source.Height(),
                 static_cast<COLORREF>(ColorToRGB(Color)), fill);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  HDC dc = Handle();
  host::TextOut(dc, X, Y, Text);
  MoveToEx(dc, X + GetTextExtent(dc, Text).cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::string& Text) {
  Changing();
  HDC dc = Handle();
  const std::optional<Region> savedClip = dc->Clip;
  IntersectClipRect(dc, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  host::FillRect(dc, Rect, FBrush->Handle());
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  host::TextOut(dc, X, Y, Text);
  SetBkMode(dc, savedMode);
  dc->Clip = savedClip;
  Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) { return GetTextExtent(Handle(), Text); }

TColor TCanvas::Pixels(int X, int Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  SetPixel(Handle(), X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
  Changed();
}

void TCanvas::Lock() {
  FMutex.lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  --FLockCount;
  FMutex.unlock();
}

bool TCanvas::TryLock() {
  if (!FMutex.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Changing() {
  if (FOnChanging) FOnChanging(this);
}

void TCanvas::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace host
