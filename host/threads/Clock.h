#pragma once
// The millisecond clock that the message loop and its timers run on. The
// platform may replace it (the headless platform injects time so that tests
// can step timers without waiting).
#include <cstdint>

namespace host {

class TickSource {
 public:
  virtual ~TickSource() = default;
  // Milliseconds on a clock that never goes back; any origin.
  virtual int64_t NowMs() = 0;
};

// Installs the clock (nullptr: the steady system clock). The source must
// outlive its use; the platform installs it at start-up.
void SetTickSource(TickSource* source);

// The current time of the installed clock, in milliseconds.
int64_t TickCountMs();

}  // namespace host
