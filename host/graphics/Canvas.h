#pragma once
// TCanvas: drawing with a pen, a brush and a font on a device context. A
// canvas either gets its DC handed in (Handle := the DC of a WM_PAINT) or
// makes one when first needed (a bitmap's canvas draws into the bitmap).
#include <atomic>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "host/classes/Classes.h"
#include "host/graphics/Brush.h"
#include "host/graphics/Font.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Pen.h"

namespace host {

class TGraphic;
class TBitmap;

// The raster operation CopyRect and Draw copy with.
using TCopyMode = int32_t;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
  HOST_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC with this canvas's pen, brush (its colour as background colour, a
  // clear brush as TRANSPARENT mode) and font (its colour as text colour)
  // selected. Raises EInvalidOperation when the canvas has no DC and cannot make one.
  HDC Handle();
  // Draws on dc from now on (not owned); nullptr detaches.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  // The clip region's bounds in canvas coordinates (the whole surface when unclipped).
  TRect ClipRect();

  void FillRect(const TRect& Rect);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);
  // Draws a graphic at its size; a transparent bitmap leaves its transparent colour out.
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies Source of Canvas to Dest (scaled when the sizes differ) with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of Bitmap to Dest, except the pixels of colour Color: with a
  // clear brush they leave the destination as it is, otherwise they take the
  // brush colour.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Text at (X, Y), the top-left of its cell; the pen moves to its end.
  void TextOut(int X, int Y, const std::string& Text);
  // Text clipped to Rect, which a solid brush fills first.
  void TextRect(const TRect& Rect, int X, int Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

  // The colour at (X, Y); -1 outside the clip area.
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  // A recursive lock, so that a thread drawing under Lock is not interleaved
  // with another drawing under Lock.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount.load(); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

 protected:
  // Makes a DC for a canvas that has none; the plain canvas cannot.
  virtual void CreateHandle();
  virtual void Changing();
  virtual void Changed();

 private:
  void SelectObjects();

  HDC FHandle = nullptr;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  bool FPenValid = false, FBrushValid = false, FFontValid = false;
  TCopyMode FCopyMode = cmSrcCopy;
  std::recursive_mutex FMutex;
  std::atomic<int> FLockCount{0};
  TNotifyEvent FOnChange, FOnChanging;
};

// Holds a canvas's lock for the life of a scope, however the scope ends.
class TCanvasLock {
 public:
  explicit TCanvasLock(TCanvas& canvas) : FCanvas(canvas) { FCanvas.Lock(); }
  ~TCanvasLock() { FCanvas.Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

 private:
  TCanvas& FCanvas;
};

}  // namespace host
