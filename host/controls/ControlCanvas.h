#pragma once
// A canvas that draws on a control's place in its window. During a paint it
// draws on the DC that WM_PAINT hands in; outside a paint it makes a DC of
// its own on the window (for a windowless control, the parent's window
// clipped to the control), so that what it draws goes straight to the
// screen. Such DCs are freed when the message loop is next idle.
#include <functional>

#include "host/graphics/Canvas.h"
#include "host/graphics/Gdi.h"

namespace host {

class TControl;

class TControlCanvas : public TCanvas {
  HOST_CLASS(TControlCanvas, TCanvas)
 public:
  explicit TControlCanvas(TControl* control) : FControl(control) {}
  ~TControlCanvas() override;

  TControl* Control() const { return FControl; }
  // Locks the canvas, frees a DC it made for itself outside a paint, draws
  // with dc through paint, then detaches dc and unlocks, whatever paint throws.
  void PaintWith(HDC dc, const std::function<void()>& paint);
  // Frees the DC the canvas made for itself, if any.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  UniqueDC FOwnDC;
};

// Frees the DCs that control canvases made outside paints.
void FreeDeviceContexts();

}  // namespace host
