#pragma once
// The window of a windowed control: a node with its own rectangle (in the
// parent window's client coordinates), its children (through the control's
// windowed children) and an update region. A top-level window (one without a
// parent) may own a surface: the framebuffer that holds its pixels between
// paints, and the dirty part not yet presented to the platform.
#include <functional>
#include <memory>

#include "host/base/Messages.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/Region.h"

namespace host {

class TWinControl;

// The pixels of a top-level window and where they go.
struct WindowSurface {
  BitmapImage Frame;
  Region Dirty;  // framebuffer coordinates, changed since the last present
  // Shows the dirty parts; set by the owner of the platform window.
  std::function<void(const BitmapImage&, const Region&)> Present;
};

class ControlWindow : public HostWindow {
 public:
  explicit ControlWindow(TWinControl* control);
  ~ControlWindow() override;

  void WndProc(TMessage& message) override;
  TWinControl* Control() const { return control_; }
  ControlWindow* ParentWindow() const;
  ControlWindow* TopLevel();

  // The window's rectangle in its parent's client coordinates (screen
  // coordinates for a top-level window).
  const TRect& Rect() const { return rect_; }
  // Moves the window and updates what must repaint: the uncovered part of
  // the parent, and all of this window (class style CS_HREDRAW/CS_VREDRAW)
  // or only its newly exposed strips.
  void SetRect(const TRect& rect);
  // The window's client origin in the top-level framebuffer.
  TPoint OriginInSurface() const;
  // The part of the client area that can be seen through the parents (and,
  // with clipChildren, not covered by visible child windows), in client
  // coordinates.
  Region VisibleClientRegion(bool clipChildren) const;
  // Shown itself and all its parents; a top-level window counts as shown
  // when it has a surface that is being presented.
  bool IsVisibleInTree() const;

  // Adds to the update region (client coordinates; nullptr: everything).
  void Invalidate(const TRect* rect, bool erase);
  void Validate() {
    update_.Clear();
    erase_ = false;
  }
  const Region& UpdateRegion() const { return update_; }
  bool EraseNeeded() const { return erase_; }
  // Paints the pending update region of this window (WM_PAINT with a DC
  // clipped to it). Returns true when it painted.
  bool PaintPending();
  // Paints the pending update regions of this window and all below it,
  // parents first.
  void PaintTree();
  // The first window at or below this one (parents first) with something
  // to paint, or nullptr.
  ControlWindow* FindPendingPaint();

  // The surface of a top-level window.
  WindowSurface* Surface() { return surface_.get(); }
  void CreateSurface();
  // The surface of the top-level window above this one; nullptr when none.
  WindowSurface* TopSurface();
  // Marks framebuffer pixels (client coordinates of this window) as changed.
  void MarkDirty(const Region& clientRegion);
  // Presents the dirty part of the surface and clears it.
  void PresentDirty();
  // Set while the surface should be painted and presented (form shown).
  void SetShown(bool shown) { shown_ = shown; }
  bool Shown() const { return shown_; }

  // Every top-level window that has a surface.
  static void ForEachTopLevel(const std::function<void(ControlWindow&)>& proc);

 private:
  TWinControl* control_;
  TRect rect_;
  Region update_;
  bool erase_ = false;
  bool shown_ = false;
  std::unique_ptr<WindowSurface> surface_;
};

// The painting of every shown top-level window: pending update regions
// painted (parents first), then the dirty parts presented. The message loop
// runs this when it is idle.
void PaintPendingWindows();
// The next window the loop should send WM_PAINT to, or nullptr.
ControlWindow* FindWindowToPaint();
// Shows the dirty parts of every shown top-level window.
void PresentAllDirty();

}  // namespace host
