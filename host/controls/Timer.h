#pragma once
// TTimer: fires OnTimer every Interval milliseconds through the message loop
// while Enabled, Interval > 0 and an OnTimer handler is set.
#include "host/base/Messages.h"
#include "host/classes/Classes.h"
#include "host/classes/TypInfo.h"

namespace host {

class TTimer : public TComponent {
  HOST_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  static constexpr uint32_t kDefaultInterval = 1000;
  ~TTimer() override;
  static const TPublished& PublishedProperties();

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t v);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent v);
  // A timer read from a form file starts once its properties are all set.
  void Loaded() override;

 protected:
  virtual void Timer();

 private:
  // Starts or stops the system timer to match the properties; raises
  // EOutOfResources when no timer can be had.
  void UpdateTimer();

  bool FEnabled = true;
  uint32_t FInterval = kDefaultInterval;
  HWND FWindowHandle = nullptr;
  bool FRunning = false;
  TNotifyEvent FOnTimer;
};

}  // namespace host
