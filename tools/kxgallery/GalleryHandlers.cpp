#include "tools/kxgallery/GalleryHandlers.h"

#include <cstdint>
#include <string>

#include "host/base/SysUtils.h"
#include "host/threads/Clock.h"
#include "kxpack/instruments/KxDisplay.h"
#include "kxpack/instruments/KxMeterBallistics.h"

namespace kxgallery {

namespace {

// The component called name beside Sender on its form.
template <class T>
T& Sibling(host::TObject* Sender, std::string_view name) {
  auto* sender = host::As<host::TComponent>(Sender);
  host::TComponent* form = sender ? sender->Owner() : nullptr;
  auto* found = host::As<T>(form ? form->FindComponent(name) : nullptr);
  if (!found) throw host::Exception("the form has no " + std::string(name));
  return *found;
}

// The thread component counts in a display: one step per call, back to the
// start after the largest value.
void CounterThreadExecute(host::TObject* Sender) {
  auto& counter = Sibling<kx::TKxDisplayNum>(Sender, "Counter");
  counter.SetValue(counter.Value() < counter.Max() ? counter.Value() + 1 : counter.Min());
}

// The meter thread plays a level to each of the sixteen ballistics Meter1 …
// Meter16: a new level every 120 ms, louder in the low bands, the same at
// the same time on the clock however often the thread calls.
void MeterThreadExecute(host::TObject* Sender) {
  const uint32_t slot = static_cast<uint32_t>(host::TickCountMs() / 120);
  for (int band = 0; band < 16; ++band) {
    uint32_t h = (slot * 16 + static_cast<uint32_t>(band)) * 2654435761u;
    h ^= h >> 15;
    const int loudness = 90 - band * 3;
    Sibling<kx::TKxMeterBallistics>(Sender, "Meter" + std::to_string(band + 1))
        .SetValue(static_cast<int>(h % 50) + loudness - 50);
  }
}

struct NamedHandler {
  std::string_view name;
  Handler handler;
};

constexpr NamedHandler kHandlers[] = {
    {"CounterThreadExecute", CounterThreadExecute},
    {"MeterThreadExecute", MeterThreadExecute},
};

}  // namespace

Handler FindHandler(std::string_view name) {
  for (const NamedHandler& h : kHandlers)
    if (host::SameText(h.name, name)) return h.handler;
  return nullptr;
}

}  // namespace kxgallery
