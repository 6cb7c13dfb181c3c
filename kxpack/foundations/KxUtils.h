#pragma once
// The unit of free functions the controls share, whole: integer and rectangle
// helpers, colour decomposition, the painters, bitmap array helpers, the
// owner lookup and the registry helpers. None keeps any state. Code inside
// the package includes only the header of the concern it needs.
#include "kxpack/foundations/KxBitmapUtils.h"
#include "kxpack/foundations/KxColorUtils.h"
#include "kxpack/foundations/KxIntUtils.h"
#include "kxpack/foundations/KxOwnerUtils.h"
#include "kxpack/foundations/KxPainters.h"
#include "kxpack/foundations/KxRegUtils.h"
