#include "host/controls/ControlFrames.h"

#include <algorithm>

#include "host/graphics/Color.h"

namespace host {

void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int32_t Width) {
  TBrush* brush = Canvas->Brush();
  for (int32_t i = 0; i < Width && R.Width() > 0 && R.Height() > 0; ++i) {
    const TRect r = R;
    brush->SetColor(TopColor);
    Canvas->FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
    Canvas->FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
    brush->SetColor(BottomColor);
    Canvas->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    Canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    R = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
}

void DrawSunkenBorder(TCanvas* Canvas, TRect& R) {
  Frame3D(Canvas, R, clBtnShadow, clBtnHighlight, 1);
  Frame3D(Canvas, R, cl3DDkShadow, clBtnFace, 1);
}

TRect ScrollThumbRect(const TRect& Track, bool Vertical, int32_t Shown, int32_t Total,
                      int32_t Position) {
  const int32_t length = Vertical ? Track.Height() : Track.Width();
  const int32_t thumbLen =
      std::clamp(length * Shown / std::max(Total, 1), std::min(8, length), length);
  const int32_t start = (length - thumbLen) * Position / std::max(Total - Shown, 1);
  return Vertical ? Bounds(Track.Left, Track.Top + start, Track.Width(), thumbLen)
                  : Bounds(Track.Left + start, Track.Top, thumbLen, Track.Height());
}

void DrawScrollBar(TCanvas* Canvas, const TRect& Track, bool Vertical, int32_t Shown, int32_t Total,
                   int32_t Position) {
  Canvas->Brush()->SetColor(clScrollBar);
  Canvas->FillRect(Track);
  TRect thumb = ScrollThumbRect(Track, Vertical, Shown, Total, Position);
  Frame3D(Canvas, thumb, clBtnHighlight, clBtnShadow, 1);
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->FillRect(thumb);
}

}  // namespace host
