#pragma once
// The working area of a borderless form: a dark grey panel with a grey
// border that fills what its parent's other children leave (alClient).
#include "kxpack/chrome/KxPanel.h"

namespace kx {

// The apply panel's bevel: a grey border and outline, a raised outer ring.
class TKxApplyBevel : public TKxPanelBevel {
  HOST_CLASS(TKxApplyBevel, TKxPanelBevel)
 public:
  TKxApplyBevel();
  static const TPublished& PublishedProperties();
};

class TKxPanelApply : public TKxPanelMenu {
  HOST_CLASS(TKxPanelApply, TKxPanelMenu)
 public:
  explicit TKxPanelApply(TComponent* AOwner);

  static constexpr host::TAlign kDefaultAlign = host::alClient;
  static constexpr TColor kDefaultColor = 0x00554A4A;

  static const TPublished& PublishedProperties();
};

}  // namespace kx
