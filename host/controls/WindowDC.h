#pragma once
// Device contexts on windows and the Win32-style window calls: a window's DC
// reads and writes its pixels in the top-level framebuffer, clipped to the
// part of the window that can be seen.
#include "host/base/Messages.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Region.h"

namespace host {

class ControlWindow;

// A DC on the window's client area (child windows excluded); 0 when the
// window has no framebuffer above it. The pixels it can reach count as
// changed and are presented after the next paint pass.
HDC GetDC(HWND hwnd);
// Frees a DC from GetDC (or from the painting code); 0 is ignored.
int ReleaseDC(HWND hwnd, HDC dc);

// A DC on the window's client area clipped to clip (client coordinates).
HDC CreateWindowDC(ControlWindow* window, const Region& clip);
// A DC whose origin is moved to bounds' top-left corner (in dc's
// coordinates) and whose clip is dc's clip within bounds.
HDC CreateChildDC(HDC dc, const TRect& bounds);
// dc's clip in dc's own coordinates.
Region DCClipRegion(HDC dc);

// Adds rect (client coordinates; nullptr for all) to the window's update
// region; erase asks for the background to be erased before the paint.
bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
bool ValidateRect(HWND hwnd);
// Paints the window's pending update region now.
bool UpdateWindow(HWND hwnd);

}  // namespace host
