#include "kxpack/foundations/KxControls.h"

#include "host/controls/ControlCanvas.h"
#include "host/controls/WindowDC.h"

namespace kx {

using namespace host;

// --- TKxGraphicControl --------------------------------------------------------

void TKxGraphicControl::ShowDesignFrame(TCanvas* ACanvas) {
  if (!Designing()) return;
  ACanvas->Pen()->SetStyle(psDot);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Rectangle(0, 0, Width(), Height());
}

// --- TKxGraphicImageControl ---------------------------------------------------

const TPublished& TKxGraphicImageControl::PublishedProperties() {
  using T = TKxGraphicImageControl;
  static const TPublished table =
      Publish<T>().Offering().Bool("Transparent", &T::Transparent, &T::SetTransparent, false);
  return table;
}

TKxGraphicImageControl::TKxGraphicImageControl(TComponent* AOwner) : TKxGraphicControl(AOwner) {
  FParentImage = std::make_unique<TBitmap>();
  FParentCopyNeeded = true;
  FBitmap = std::make_unique<TBitmap>();
  FTransparent = false;
  FDrawCanvas = Canvas();
}

TKxGraphicImageControl::~TKxGraphicImageControl() {
  FParentImage.reset();
  FBitmap.reset();
}

void TKxGraphicImageControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth,
                                       int32_t AHeight) {
  // In one step, so that a size the host refuses leaves the bitmap as it was.
  FBitmap->SetSize(AWidth, AHeight);
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  // Constraints may have given another size; the bitmap stays the control's.
  if (FBitmap->Width() != Width() || FBitmap->Height() != Height())
    FBitmap->SetSize(Width(), Height());
}

void TKxGraphicImageControl::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  TControlStyle style = ControlStyle();
  if (Value)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  if (Designing())
    Invalidate();
  else
    UpdateControlCanvas();
}

void TKxGraphicImageControl::ClearBitmapCanvas() {
  TCanvas* canvas = GetBitmapCanvas();
  canvas->Brush()->SetStyle(bsSolid);
  if (FTransparent) {
    if (FParentCopyNeeded) CopyParentImage();
    CopyOverlayImage();
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, FBitmap->Width(), FBitmap->Height()));
  }
}

void TKxGraphicImageControl::CopyParentImage() {
  FParentImage->SetWidth(Width());
  FParentImage->SetHeight(Height());
  // Without a parent there is nothing beneath to capture.
  if (!Parent()) return;
  const UniqueDC dc(GetDC(Parent()->Handle()));
  if (!dc) return;
  const TRect r = Canvas()->ClipRect();
  const TPoint p = Parent()->ScreenToClient(ClientToScreen(Point(r.Left, r.Top)));
  BitBlt(FParentImage->Canvas()->Handle(), r.Left, r.Top, r.Width(), r.Height(), dc.get(), p.X, p.Y,
         SRCCOPY);
}

void TKxGraphicImageControl::CopyOverlayImage() {
  BitBlt(GetBitmapCanvas()->Handle(), 0, 0, FBitmap->Width(), FBitmap->Height(),
         FParentImage->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TKxGraphicImageControl::Paint() {
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), GetBitmapCanvas()->Handle(), 0, 0, SRCCOPY);
  if (FTransparent) {
    // The next paint captures the parent again (re-armed).
    FParentCopyNeeded = true;
    SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
  }
}

void TKxGraphicImageControl::UpdateControlCanvas() {
  if (!Designing() && FTransparent && !FParentImage->Empty()) {
    // A change of the control's own state: repaint on the stored
    // background, without the parent painting beneath.
    FParentCopyNeeded = false;
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  }
  inherited::UpdateControlCanvas();
}

void TKxGraphicImageControl::WMPaint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  // A graphic control's canvas is a control canvas. The off-screen bitmap
  // stays locked too, so that a thread drawing on it is not copied halfway.
  static_cast<TControlCanvas*>(Canvas())->PaintWith(dc, [this] {
    const TCanvasLock offscreen(*GetBitmapCanvas());
    Paint();
  });
}

}  // namespace kx
