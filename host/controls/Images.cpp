#include "host/controls/Images.h"

#include "host/classes/ClassRegistry.h"

namespace host {

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FPicture->SetOnChange(TNotifyEvent(this, &TImage::PictureChanged));
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->SetOnChange(nullptr); }

TCanvas* TImage::Canvas() {
  if (!FPicture->Graphic()) FPicture->Bitmap()->SetSize(Width(), Height());
  TBitmap* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return bitmap->Canvas();
}

void TImage::SetStretch(bool v) {
  if (v == FStretch) return;
  FStretch = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  if (v == FCenter) return;
  FCenter = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(v);
  Invalidate();
}

void TImage::PictureChanged(TObject*) {
  if (TGraphic* g = FPicture->Graphic(); g && g->Transparent() != FTransparent)
    g->SetTransparent(FTransparent);
  if (AutoSize()) AdjustSize();
  // An opaque picture that covers the control needs no background beneath.
  TGraphic* g = FPicture->Graphic();
  const bool covers =
      g && !FTransparent && (FStretch || (g->Width() >= Width() && g->Height() >= Height()));
  if (covers)
    FControlStyle.Include(csOpaque);
  else
    FControlStyle.Exclude(csOpaque);
  Invalidate();
}

bool TImage::CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) {
  if (FPicture->Width() <= 0 || FPicture->Height() <= 0) return false;
  NewWidth = FPicture->Width();
  NewHeight = FPicture->Height();
  return true;
}

TRect TImage::DestRect() const {
  if (FStretch) return ClientRect();
  const int32_t w = FPicture->Width(), h = FPicture->Height();
  if (FCenter) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return Rect(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  TCanvas* canvas = inherited::Canvas();
  if (FStretch)
    canvas->StretchDraw(DestRect(), g);
  else
    canvas->Draw(DestRect().Left, DestRect().Top, g);
}

const TPublished& TImage::PublishedProperties() {
  using T = TImage;
  static const TPublished table =
      Publish<T>()
          .Publish("Align", "Anchors", "AutoSize")
          .Bool("Center", &T::Center, &T::SetCenter, false)
          .Publish("Constraints", "Enabled")
          .Object("Picture", &T::Picture, &T::SetPicture)
          .Publish("ShowHint")
          .Bool("Stretch", &T::Stretch, &T::SetStretch, false)
          .Bool("Transparent", &T::Transparent, &T::SetTransparent, false)
          .Publish("Visible")
          .PublishEvents("OnClick", "OnDblClick", kMouseEvents);
  return table;
}

const bool kImageRegistered = (RegisterClass<TImage>(), true);

}  // namespace host
