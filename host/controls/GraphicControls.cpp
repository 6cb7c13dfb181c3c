// TGraphicControl and TCustomControl: the two controls that paint through a
// canvas in Paint.
#include "host/controls/ControlCanvas.h"
#include "host/controls/Controls.h"

namespace host {

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() const { return FCanvas.get(); }

void TGraphicControl::WMPaint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  FCanvas->PaintWith(dc, [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const { return FCanvas.get(); }

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->PaintWith(DC, [this] { Paint(); });
}

}  // namespace host
