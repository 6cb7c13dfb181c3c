#pragma once
// TBrush: the brush a canvas fills with; a clear brush fills nothing and makes
// text and blits leave the background alone.
#include "host/classes/Classes.h"
#include "host/graphics/Color.h"
#include "host/graphics/GdiObjects.h"

namespace host {

class TBrush : public TPersistent {
  HOST_CLASS(TBrush, TPersistent)
 public:
  TBrush() = default;

  TColor Color() const { return FBrush.Color; }
  // Also makes a clear brush solid, as the host framework's brush does.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FBrush.Style; }
  void SetStyle(TBrushStyle Value);
  // The brush as a GDI object; valid while this TBrush lives.
  HBRUSH Handle() const { return &FBrush; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void Assign(TPersistent* Source) override;

 protected:
  virtual void Changed();

 private:
  LogBrush FBrush{bsSolid, clWhite};
  TNotifyEvent FOnChange;
};

}  // namespace host
