#pragma once
// TPen: the pen a canvas draws lines and frames with.
#include "host/classes/Classes.h"
#include "host/graphics/Color.h"
#include "host/graphics/GdiObjects.h"

namespace host {

class TPen : public TPersistent {
  HOST_CLASS(TPen, TPersistent)
 public:
  TPen() = default;

  TColor Color() const { return FPen.Color; }
  void SetColor(TColor Value);
  int32_t Width() const { return FPen.Width; }
  // Widths below 1 become 1.
  void SetWidth(int32_t Value);
  TPenStyle Style() const { return FPen.Style; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  // The pen as a GDI object; valid while this TPen lives.
  HPEN Handle() const { return &FPen; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void Assign(TPersistent* Source) override;

 protected:
  virtual void Changed();

 private:
  LogPen FPen;
  TPenMode FMode = pmCopy;
  TNotifyEvent FOnChange;
};

// The R2_ code of a pen mode.
int PenModeToRop2(TPenMode mode);

}  // namespace host
