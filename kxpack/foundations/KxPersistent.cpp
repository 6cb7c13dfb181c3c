#include "kxpack/foundations/KxPersistent.h"

namespace kx {

void TKxPersistent::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TKxPersistent::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

}  // namespace kx
