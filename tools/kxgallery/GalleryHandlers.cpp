#include "tools/kxgallery/GalleryHandlers.h"

#include "host/base/SysUtils.h"
#include "kxpack/instruments/KxDisplay.h"

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

struct NamedHandler {
  std::string_view name;
  Handler handler;
};

constexpr NamedHandler kHandlers[] = {
    {"CounterThreadExecute", CounterThreadExecute},
};

}  // namespace

Handler FindHandler(std::string_view name) {
  for (const NamedHandler& h : kHandlers)
    if (host::SameText(h.name, name)) return h.handler;
  return nullptr;
}

}  // namespace kxgallery
