#pragma once
// How captions sit in a control: horizontally (Alignment) and vertically
// (Layout), and the DrawText flags that express it.
#include <cstdint>

#include "host/base/EnumInfo.h"

namespace host {

HOST_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
HOST_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)

// DT_LEFT / DT_RIGHT / DT_CENTER for an alignment.
uint32_t AlignmentFlags(TAlignment a);
// DT_TOP / DT_VCENTER / DT_BOTTOM for a layout.
uint32_t LayoutFlags(TTextLayout l);

}  // namespace host
