#include "host/controls/WindowDC.h"

#include "host/controls/ControlWindow.h"

namespace host {

namespace {

ControlWindow* AsControlWindow(HWND hwnd) { return dynamic_cast<ControlWindow*>(hwnd); }

}  // namespace

HDC CreateWindowDC(ControlWindow* window, const Region& clip) {
  if (!window) return nullptr;
  WindowSurface* surface = window->TopSurface();
  if (!surface) return nullptr;
  Region visible = window->VisibleClientRegion(true);
  visible.Intersect(clip);
  // What the DC can reach may change: it is presented after the next pass.
  window->MarkDirty(visible);
  const TPoint origin = window->OriginInSurface();
  visible.Offset(origin.X, origin.Y);
  return CreateSurfaceDC(&surface->Frame, origin, &visible);
}

HDC CreateChildDC(HDC dc, const TRect& bounds) {
  if (!dc || !dc->Surface) return nullptr;
  Region clip = DCClipRegion(dc);
  clip.Intersect(bounds);
  clip.Offset(dc->Origin.X, dc->Origin.Y);
  const TPoint origin{dc->Origin.X + bounds.Left, dc->Origin.Y + bounds.Top};
  return CreateSurfaceDC(dc->Surface, origin, &clip);
}

Region DCClipRegion(HDC dc) {
  Region r;
  if (!dc || !dc->Surface) return r;
  if (dc->Clip)
    r = *dc->Clip;
  else
    r.Union(TRect{0, 0, dc->Surface->Width, dc->Surface->Height});
  r.Offset(-dc->Origin.X, -dc->Origin.Y);
  return r;
}

HDC GetDC(HWND hwnd) {
  ControlWindow* w = AsControlWindow(hwnd);
  if (!w) return nullptr;
  return CreateWindowDC(w, Region(TRect{0, 0, w->Rect().Width(), w->Rect().Height()}));
}

int ReleaseDC(HWND, HDC dc) {
  if (!dc) return 0;
  DeleteDC(dc);
  return 1;
}

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase) {
  ControlWindow* w = AsControlWindow(hwnd);
  if (!w) return false;
  w->Invalidate(rect, erase);
  return true;
}

bool ValidateRect(HWND hwnd) {
  ControlWindow* w = AsControlWindow(hwnd);
  if (!w) return false;
  w->Validate();
  return true;
}

bool UpdateWindow(HWND hwnd) {
  ControlWindow* w = AsControlWindow(hwnd);
  if (!w) return false;
  w->PaintPending();
  return true;
}

}  // namespace host
