#pragma once
// The base classes of the package's controls and components: a windowless
// control with an update counter (TKxGraphicControl), one that composes each
// frame in an off-screen bitmap and can show its parent through
// (TKxGraphicImageControl), the windowed counterpart (TKxCustomControl) and
// the base of the non-visual components (TKxComponent). Also the two About
// properties every component of the package publishes.
#include <cstdint>
#include <memory>
#include <string>

#include "host/classes/TypInfo.h"
#include "host/controls/Controls.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"

namespace kx {

// The host names the package's classes use throughout.
using host::Integer;
using host::TBitmap;
using host::TCanvas;
using host::TColor;
using host::TComponent;
using host::TMessage;
using host::TNotifyEvent;
using host::TObject;
using host::TPoint;
using host::TPublishBuilder;
using host::TPublished;
using host::TRect;

inline constexpr const char* kAboutKxValue = "Component";
inline constexpr const char* kAboutVersValue = "1.0.0";

// AboutKx and AboutVers: constants that the setters store again whatever
// they are given. Mixed into each component class of the package.
class TKxAbout {
 public:
  const std::string& AboutKx() const { return FAboutKx; }
  void SetAboutKx(const std::string&) { FAboutKx = kAboutKxValue; }
  const std::string& AboutVers() const { return FAboutVers; }
  void SetAboutVers(const std::string&) { FAboutVers = kAboutVersValue; }

 private:
  std::string FAboutKx = kAboutKxValue;
  std::string FAboutVers = kAboutVersValue;
};

// Adds AboutKx and AboutVers, in that order, to a class's published table.
// They have no declared default, so form files always hold them.
template <class T>
TPublishBuilder<T>& PublishAbout(TPublishBuilder<T>& b) {
  return b.String("AboutKx", &T::AboutKx, &T::SetAboutKx)
      .String("AboutVers", &T::AboutVers, &T::SetAboutVers);
}

// Runs Step and drops whatever it raises. The chrome's painting, loading and
// resizing run through it: a failure leaves a partly drawn or placed
// control rather than an error in the message loop.
template <class F>
void Swallowing(F Step) noexcept {
  try {
    Step();
  } catch (...) {
  }
}

// What the windowless and the windowed base control share, put on the host
// class Base: the design and loading state, the background fill, update
// counting, and the helper every repainting property setter goes through.
// It is not a class of its own: the class information stays Base's.
template <class Base>
class TKxControlKit : public Base {
 public:
  using Base::Base;

  bool Designing() const { return this->ComponentState().Contains(host::csDesigning); }
  bool Loading() const { return this->ComponentState().Contains(host::csLoading); }
  // Fills the client rectangle with Color.
  void ClearClientCanvas() {
    TCanvas* canvas = this->Canvas();
    canvas->Brush()->SetStyle(host::bsSolid);
    canvas->Brush()->SetColor(this->Color());
    canvas->FillRect(this->ClientRect());
  }
  // Repaints unless loading or inside BeginUpdate/EndUpdate; property
  // setters of the descendants end with it.
  virtual void UpdateControlCanvas() {
    if (!Loading() && FUpdateCount == 0) this->Repaint();
  }
  // Nest by counting. EndUpdate asks for the repaint every time and
  // UpdateControlCanvas tests the count; an unbalanced EndUpdate makes it
  // negative, and nothing repaints until the calls balance again.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() {
    --FUpdateCount;
    UpdateControlCanvas();
  }

 protected:
  // Stores Value in Field and repaints through UpdateControlCanvas, unless
  // Field already holds it. The setters of painted properties use it.
  template <class V>
  void SetPaintedProp(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    UpdateControlCanvas();
  }

  int32_t FUpdateCount = 0;
};

class TKxGraphicControl : public TKxControlKit<host::TGraphicControl> {
  HOST_CLASS(TKxGraphicControl, host::TGraphicControl)
 public:
  explicit TKxGraphicControl(TComponent* AOwner) : TKxControlKit(AOwner) {}

  // At design time, a dotted frame around the control on ACanvas.
  void ShowDesignFrame(TCanvas* ACanvas);
};

class TKxGraphicImageControl : public TKxGraphicControl {
  HOST_CLASS(TKxGraphicImageControl, TKxGraphicControl)
 public:
  explicit TKxGraphicImageControl(TComponent* AOwner);
  ~TKxGraphicImageControl() override;

  // Offers Transparent for descendants to publish.
  static const TPublished& PublishedProperties();

  TCanvas* GetBitmapCanvas() const { return FBitmap->Canvas(); }
  virtual void ClearBitmapCanvas();
  void CopyParentImage();
  void CopyOverlayImage();
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  void UpdateControlCanvas() override;

 protected:
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  void Paint() override;
  void WMPaint(TMessage& Message) override;

  std::unique_ptr<TBitmap> FParentImage;
  std::unique_ptr<TBitmap> FBitmap;
  bool FParentCopyNeeded = true;
  bool FTransparent = false;
  TCanvas* FDrawCanvas = nullptr;
};

class TKxCustomControl : public TKxControlKit<host::TCustomControl> {
  HOST_CLASS(TKxCustomControl, host::TCustomControl)
 public:
  explicit TKxCustomControl(TComponent* AOwner) : TKxControlKit(AOwner) {}
};

class TKxComponent : public TComponent {
  HOST_CLASS(TKxComponent, TComponent)
 public:
  explicit TKxComponent(TComponent* AOwner) : TComponent(AOwner) {}
};

}  // namespace kx
