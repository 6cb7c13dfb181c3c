#include "host/controls/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "host/controls/ControlWindow.h"
#include "host/controls/Controls.h"
#include "host/controls/WindowDC.h"

namespace host {

namespace {

// The canvases that hold a DC of their own.
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}

}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HDC dc = nullptr;
  if (auto* w = As<TWinControl>(FControl)) {
    dc = GetDC(w->Handle());
  } else if (TWinControl* parent = FControl->Parent()) {
    const TRect bounds = FControl->BoundsRect();
    const UniqueDC parentDC(CreateWindowDC(parent->Window(), Region(bounds)));
    dc = CreateChildDC(parentDC.get(), bounds);
  }
  if (!dc) {
    inherited::CreateHandle();
    return;
  }
  // Frees a DC of its own whose handle was detached some other way.
  FOwnDC.reset(dc);
  CanvasesWithDC().push_back(this);
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (HandleAllocated() && Handle() == FOwnDC.get()) SetHandle(nullptr);
  FOwnDC.reset();
}

void TControlCanvas::PaintWith(HDC dc, const std::function<void()>& paint) {
  Lock();
  struct Restore {
    TControlCanvas* canvas;
    ~Restore() {
      canvas->SetHandle(nullptr);
      canvas->Unlock();
    }
  } restore{this};
  FreeHandle();
  SetHandle(dc);
  paint();
}

void FreeDeviceContexts() {
  // FreeHandle edits the list.
  while (!CanvasesWithDC().empty()) CanvasesWithDC().back()->FreeHandle();
}

}  // namespace host
