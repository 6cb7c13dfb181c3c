#include "kxpack/package/KxPack.h"

namespace kx {

// The package's exported registration entry; the design tools look it up by
// this name when they load the package as a plug-in.
extern "C" __attribute__((visibility("default"))) const char* KxPackModuleVersion() {
  return KxPackVersion;
}

}  // namespace kx
