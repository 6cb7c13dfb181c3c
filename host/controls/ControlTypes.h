#pragma once
// The vocabulary of the controls: alignment, anchors, control styles and
// states, mouse buttons and shift states, cursors, modal results, the event
// types and the records that window messages carry.
#include <cstdint>
#include <string>

#include "host/base/EnumInfo.h"
#include "host/base/Messages.h"
#include "host/base/Sets.h"
#include "host/base/Types.h"
#include "host/classes/Classes.h"
#include "host/platform/VirtualKeys.h"

namespace host {

HOST_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)

HOST_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;

HOST_ENUM(TControlStyleFlag, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
          csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight,
          csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector,
          csActionClient, csMenuEvents)
using TControlStyle = TSet<TControlStyleFlag>;

// Transient state of a control: a left press is down, a click is under way,
// alignment was deferred …
HOST_ENUM(TControlStateFlag, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
          csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking)
using TControlState = TSet<TControlStateFlag>;

HOST_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)

HOST_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = TSet<TShiftStateFlag>;

HOST_ENUM(TDragMode, dmManual, dmAutomatic)
HOST_ENUM(TDragKind, dkDrag, dkDock)
HOST_ENUM(THelpType, htKeyword, htContext)
// Reading order of a control's text, for right-to-left scripts.
HOST_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)

// A cursor: 0 and the negative values are the system cursors.
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TModalResult = int32_t;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

using TTabOrder = int32_t;

class TControl;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int32_t, int32_t>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int32_t, int32_t>;
using TKeyEvent = TEvent<TObject*, Word&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
using TMouseWheelEvent = TEvent<TObject*, TShiftState, int32_t, TPoint, bool&>;
using TStartDragEvent = TEvent<TObject*, TObject*&>;
using TDragOverEvent = TEvent<TObject*, TObject*, int32_t, int32_t, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int32_t, int32_t>;
using TEndDragEvent = TEvent<TObject*, TObject*, int32_t, int32_t>;
// A right click asking for a context menu: the mouse position, and whether
// the handler dealt with it.
using TContextPopupEvent = TEvent<TObject*, TPoint, bool&>;
// Docking: the drag object being docked; the target and the drop point.
using TStartDockEvent = TEvent<TObject*, TObject*&>;
using TEndDockEvent = TEvent<TObject*, TObject*, int32_t, int32_t>;

// The record behind WM_WINDOWPOSCHANGED's LParam: the window's new place,
// in its parent's client coordinates.
struct TWindowPos {
  HWND hwnd = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  int32_t cx = 0;
  int32_t cy = 0;
  UINT flags = 0;
};
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;

// Window class styles: a window whose class has CS_HREDRAW (CS_VREDRAW) is
// repainted whole when its width (height) changes; without them only the
// newly uncovered strips are.
inline constexpr uint32_t CS_VREDRAW = 0x0001;
inline constexpr uint32_t CS_HREDRAW = 0x0002;
inline constexpr uint32_t CS_DBLCLKS = 0x0008;

inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;

// What a windowed control asks of its window when it is made.
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  HWND WndParent = nullptr;
  struct {
    uint32_t style = 0;
  } WindowClass;
  std::string WinClassName;
};

// Mouse messages pack client coordinates into LParam as two signed 16-bit
// halves, x low.
inline LPARAM PointToLParam(TPoint p) {
  return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(p.X)) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(p.Y)) << 16));
}
inline TPoint LParamToPoint(LPARAM l) {
  return {static_cast<int16_t>(l & 0xFFFF), static_cast<int16_t>((l >> 16) & 0xFFFF)};
}
// Mouse messages carry the held keys and buttons in WParam (MK_ bits).
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr WPARAM MK_ALT = 0x0020;  // not a Windows bit: the Alt key is read separately there

TShiftState KeysToShiftState(WPARAM keys);
WPARAM ShiftStateToKeys(TShiftState shift);

}  // namespace host
