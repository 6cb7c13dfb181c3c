#include "host/controls/TextAlignment.h"

#include "host/graphics/TextLayout.h"

namespace host {

uint32_t AlignmentFlags(TAlignment a) {
  switch (a) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

uint32_t LayoutFlags(TTextLayout l) {
  switch (l) {
    case tlCenter:
      return DT_VCENTER;
    case tlBottom:
      return DT_BOTTOM;
    default:
      return DT_TOP;
  }
}

}  // namespace host
