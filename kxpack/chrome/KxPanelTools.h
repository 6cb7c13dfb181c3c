#pragma once
// The tool strip of a borderless form: a 40-pixel-high black panel with a
// raised light-blue-grey outer ring, meant to hold tool buttons; it can size
// itself around them (Autosize).
#include "kxpack/chrome/KxPanel.h"

namespace kx {

// The tool panel's bevel: a dark border, a raised outer ring.
class TKxToolsBevel : public TKxPanelBevel {
  HOST_CLASS(TKxToolsBevel, TKxPanelBevel)
 public:
  TKxToolsBevel();
  static const TPublished& PublishedProperties();
};

class TKxPanelTools : public TKxPanelMenu {
  HOST_CLASS(TKxPanelTools, TKxPanelMenu)
 public:
  explicit TKxPanelTools(TComponent* AOwner);

  static constexpr int32_t kDefaultHeight = 40;

  void Loaded() override;
  static const TPublished& PublishedProperties();
};

}  // namespace kx
