#pragma once
// The values behind pen and brush handles, and their styles and mix modes.
#include "host/base/EnumInfo.h"
#include "host/base/Types.h"

namespace host {

HOST_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
HOST_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
          pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
HOST_ENUM(TBrushStyle, bsSolid, bsClear)

struct LogPen {
  TPenStyle Style = psSolid;
  int32_t Width = 1;
  TColor Color = 0;  // black
};

struct LogBrush {
  TBrushStyle Style = bsSolid;
  TColor Color = 0xFFFFFF;  // white
};

using HPEN = const LogPen*;
using HBRUSH = const LogBrush*;

}  // namespace host
