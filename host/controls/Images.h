#pragma once
// TImage: shows a picture, at its size (optionally centred) or stretched
// to the control. Its Canvas draws into the picture's bitmap, which is made
// at the control's size when the picture holds none.
#include <memory>

#include "host/controls/Controls.h"
#include "host/graphics/Bitmap.h"

namespace host {

class TImage : public TGraphicControl {
  HOST_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  static const TPublished& PublishedProperties();

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* v) { FPicture->Assign(v); }
  // The canvas of the picture's bitmap (not the control's place on screen).
  TCanvas* Canvas();
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);

 protected:
  void Paint() override;
  bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) override;

 private:
  void PictureChanged(TObject* Sender);
  // Where the picture is drawn, in client coordinates.
  TRect DestRect() const;

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};

}  // namespace host
