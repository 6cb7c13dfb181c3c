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

}  // namespace host
