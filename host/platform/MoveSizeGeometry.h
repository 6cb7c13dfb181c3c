#pragma once
// The bounds an interactive move or size gives a window for a pointer
// position; shared by every platform loop that follows the pointer itself.
#include <cstdint>

#include "host/base/Types.h"
#include "host/platform/Platform.h"

namespace host {

// start: client bounds when the button went down at press (screen
// coordinates); pointer: where it is now. A size keeps the top-left corner
// and never goes below minWidth × minHeight.
TRect MoveSizeBounds(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer,
                     int32_t minWidth, int32_t minHeight);

// A moved window's bounds with each edge that lies within buffer pixels of
// the same edge of area put flush with it (the left before the right, the
// top before the bottom); unchanged when buffer is 0.
TRect SnapToArea(const TRect& bounds, const TRect& area, int32_t buffer);

// Where one step of an interactive move or size puts the window: the bounds
// above, snapped to area within buffer pixels when it is a move.
TRect MoveSizeStep(MoveSizeKind kind, const TRect& start, TPoint press, TPoint pointer,
                   int32_t minWidth, int32_t minHeight, const TRect& area, int32_t buffer);

}  // namespace host
