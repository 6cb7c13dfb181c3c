#include "kxpack/chrome/KxApplicationEvents.h"

#include "host/classes/ClassRegistry.h"

namespace kx {

const TPublished& TKxApplicationEvents::PublishedProperties() {
  using T = TKxApplicationEvents;
  static const TPublished table = [] {
    TPublishBuilder<T> b = host::Publish<T>();
    // No defaults: form files always hold both values.
    PublishAbout(b)
        .Int("WinHeight", &T::WinHeight, &T::SetWinHeight)
        .Int("WinWidth", &T::WinWidth, &T::SetWinWidth);
    return TPublished(b);
  }();
  return table;
}

namespace {
const bool kRegistered = (host::RegisterClasses<TKxApplicationEvents>(), true);
}  // namespace

}  // namespace kx
