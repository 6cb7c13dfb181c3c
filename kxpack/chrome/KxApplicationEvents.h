#pragma once
// The host's application-events component with two stored integers named
// for a window's height and width, for the application's own handlers to
// read and write; the component does nothing with them.
#include "host/controls/AppEvents.h"
#include "kxpack/foundations/KxControls.h"

namespace kx {

class TKxApplicationEvents : public host::TApplicationEvents, public TKxAbout {
  HOST_CLASS(TKxApplicationEvents, host::TApplicationEvents)
 public:
  using TApplicationEvents::TApplicationEvents;

  Integer WinHeight() const { return FWinHeight; }
  void SetWinHeight(Integer Value) { FWinHeight = Value; }
  Integer WinWidth() const { return FWinWidth; }
  void SetWinWidth(Integer Value) { FWinWidth = Value; }

  static const TPublished& PublishedProperties();

 private:
  Integer FWinHeight = 0;
  Integer FWinWidth = 0;
};

}  // namespace kx
