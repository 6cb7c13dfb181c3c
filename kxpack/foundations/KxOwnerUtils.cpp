#include "kxpack/foundations/KxOwnerUtils.h"

#include "host/controls/Controls.h"

namespace kx {

host::TWinControl* GetOwnerControl(host::TComponent* Component) {
  host::TWinControl* outermost = nullptr;
  for (host::TComponent* owner = Component ? Component->Owner() : nullptr; owner;
       owner = owner->Owner()) {
    auto* windowed = host::As<host::TWinControl>(owner);
    if (!windowed) break;
    outermost = windowed;
  }
  return outermost;
}

}  // namespace kx
