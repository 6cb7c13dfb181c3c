#pragma once
// What a level meter offers a component that drives it (the meter
// ballistics): the range its levels lie in, and a level to show on one of
// its channels (the bars of a mix viewer); a meter with one level shows
// every channel's.
#include "host/base/Types.h"

namespace kx {

class TKxLevelTarget {
 public:
  virtual host::Integer LevelMin() const = 0;
  virtual host::Integer LevelMax() const = 0;
  // Shows Value on Channel; a channel a meter of several levels does not
  // have is ignored.
  virtual void SetLevel(host::Integer Channel, host::Integer Value) = 0;

 protected:
  ~TKxLevelTarget() = default;
};

}  // namespace kx
