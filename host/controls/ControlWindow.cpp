#include "host/controls/ControlWindow.h"

#include <algorithm>
#include <vector>

#include "host/controls/Controls.h"
#include "host/controls/WindowDC.h"

namespace host {

namespace {

std::vector<ControlWindow*>& TopLevels() {
  static std::vector<ControlWindow*> list;
  return list;
}

}  // namespace

ControlWindow::ControlWindow(TWinControl* control) : control_(control) {}

ControlWindow::~ControlWindow() {
  auto& list = TopLevels();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void ControlWindow::WndProc(TMessage& message) {
  // The loop's WM_PAINT carries no DC: paint the update region as BeginPaint
  // would.
  if (message.Msg == WM_PAINT && message.WParam == 0) {
    PaintPending();
    return;
  }
  control_->WndProc(message);
}

ControlWindow* ControlWindow::ParentWindow() const {
  TWinControl* p = control_->Parent();
  return p ? p->Window() : nullptr;
}

ControlWindow* ControlWindow::TopLevel() {
  ControlWindow* w = this;
  while (ControlWindow* p = w->ParentWindow()) w = p;
  return w;
}

void ControlWindow::SetRect(const TRect& rect) {
  if (rect == rect_) return;
  const TRect old = rect_;
  ControlWindow* parent = ParentWindow();
  // The framebuffer first: a size the host refuses leaves the window as it was.
  if (!parent && surface_)
    surface_->Frame.SetSize(std::max(rect.Width(), 0), std::max(rect.Height(), 0));
  rect_ = rect;
  if (!parent) {
    if (surface_ && (rect.Width() != old.Width() || rect.Height() != old.Height()))
      Invalidate(nullptr, true);
    return;
  }
  if (control_->Visible()) {
    // The parent repaints where the window was and no longer is.
    Region uncovered(old);
    uncovered.Subtract(rect);
    for (const TRect& r : uncovered.Rects()) parent->Invalidate(&r, true);
  }
  const bool moved = rect.Left != old.Left || rect.Top != old.Top;
  const uint32_t style = control_->Params().WindowClass.style;
  const bool redrawAll = moved || (rect.Width() != old.Width() && (style & CS_HREDRAW)) ||
                         (rect.Height() != old.Height() && (style & CS_VREDRAW));
  if (redrawAll) {
    Invalidate(nullptr, true);
    return;
  }
  // Only what the growth uncovered.
  if (rect.Width() > old.Width()) {
    TRect strip{old.Width(), 0, rect.Width(), rect.Height()};
    Invalidate(&strip, true);
  }
  if (rect.Height() > old.Height()) {
    TRect strip{0, old.Height(), rect.Width(), rect.Height()};
    Invalidate(&strip, true);
  }
}

TPoint ControlWindow::OriginInSurface() const {
  TPoint p{0, 0};
  for (const ControlWindow* w = this; w->ParentWindow(); w = w->ParentWindow()) {
    p.X += w->rect_.Left;
    p.Y += w->rect_.Top;
  }
  return p;
}

Region ControlWindow::VisibleClientRegion(bool clipChildren) const {
  // Walk up, keeping the part of the client rectangle that each parent's
  // client area still shows.
  TRect visible{0, 0, rect_.Width(), rect_.Height()};
  TPoint offset{0, 0};
  for (const ControlWindow* w = this; w->ParentWindow(); w = w->ParentWindow()) {
    offset.X += w->rect_.Left;
    offset.Y += w->rect_.Top;
    const ControlWindow* p = w->ParentWindow();
    TRect parentClient{-offset.X, -offset.Y, p->rect_.Width() - offset.X,
                       p->rect_.Height() - offset.Y};
    visible = Intersection(visible, parentClient);
  }
  Region region;
  if (!visible.IsEmpty()) region.Union(visible);
  if (clipChildren) {
    for (int i = 0, n = control_->ControlCount(); i < n; ++i) {
      auto* child = As<TWinControl>(control_->Controls(i));
      if (child && child->Visible()) region.Subtract(child->Window()->Rect());
    }
  }
  return region;
}

bool ControlWindow::IsVisibleInTree() const {
  const ControlWindow* w = this;
  for (; w->ParentWindow(); w = w->ParentWindow())
    if (!w->control_->Visible()) return false;
  return w->shown_ && w->surface_;
}

void ControlWindow::Invalidate(const TRect* rect, bool erase) {
  TRect r{0, 0, rect_.Width(), rect_.Height()};
  if (rect) r = Intersection(r, *rect);
  if (r.IsEmpty()) return;
  update_.Union(r);
  erase_ = erase_ || erase;
}

bool ControlWindow::PaintPending() {
  if (update_.Empty()) return false;
  if (!IsVisibleInTree()) return false;
  Region clip = update_;
  const bool erase = erase_;
  Validate();
  clip.Intersect(VisibleClientRegion(true));
  if (clip.Empty()) return false;
  const UniqueDC dc(CreateWindowDC(this, clip));
  if (!dc) return false;
  // LParam tells the paint handler whether to erase the background first.
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), erase ? 1 : 0, 0};
  control_->WndProc(m);
  return true;
}

void ControlWindow::PaintTree() {
  PaintPending();
  for (int i = 0, n = control_->ControlCount(); i < n; ++i)
    if (auto* child = As<TWinControl>(control_->Controls(i))) child->Window()->PaintTree();
}

ControlWindow* ControlWindow::FindPendingPaint() {
  if (!update_.Empty() && IsVisibleInTree()) return this;
  for (int i = 0, n = control_->ControlCount(); i < n; ++i)
    if (auto* child = As<TWinControl>(control_->Controls(i)))
      if (ControlWindow* w = child->Window()->FindPendingPaint()) return w;
  return nullptr;
}

void ControlWindow::CreateSurface() {
  if (surface_) return;
  surface_ = std::make_unique<WindowSurface>();
  surface_->Frame.SetSize(std::max(rect_.Width(), 0), std::max(rect_.Height(), 0));
  TopLevels().push_back(this);
}

WindowSurface* ControlWindow::TopSurface() { return TopLevel()->surface_.get(); }

void ControlWindow::MarkDirty(const Region& clientRegion) {
  WindowSurface* s = TopSurface();
  if (!s) return;
  Region r = clientRegion;
  const TPoint o = OriginInSurface();
  r.Offset(o.X, o.Y);
  s->Dirty.Union(r);
}

void ControlWindow::PresentDirty() {
  if (!surface_ || surface_->Dirty.Empty()) return;
  if (shown_ && surface_->Present) surface_->Present(surface_->Frame, surface_->Dirty);
  if (shown_) surface_->Dirty.Clear();
}

void ControlWindow::ForEachTopLevel(const std::function<void(ControlWindow&)>& proc) {
  // A copy: painting may create or destroy forms.
  const std::vector<ControlWindow*> list = TopLevels();
  for (ControlWindow* w : list)
    if (std::find(TopLevels().begin(), TopLevels().end(), w) != TopLevels().end()) proc(*w);
}

void PaintPendingWindows() {
  ControlWindow::ForEachTopLevel([](ControlWindow& w) {
    if (w.Shown()) w.PaintTree();
  });
  PresentAllDirty();
}

ControlWindow* FindWindowToPaint() {
  ControlWindow* found = nullptr;
  ControlWindow::ForEachTopLevel([&](ControlWindow& w) {
    if (!found && w.Shown()) found = w.FindPendingPaint();
  });
  return found;
}

void PresentAllDirty() {
  ControlWindow::ForEachTopLevel([](ControlWindow& w) { w.PresentDirty(); });
}

}  // namespace host
