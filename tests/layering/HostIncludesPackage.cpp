// Compiled by the layering test with the host library's include path: the
// include below must stop the compile, because the host never depends on the
// package.
#include "kxpack/foundations/KxTypes.h"
