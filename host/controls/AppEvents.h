#pragma once
// TApplicationEvents: the application's events as a component on a form.
// Several instances may exist; each event goes to every instance, the most
// recently created first, until one calls CancelDispatch.
#include "host/controls/Forms.h"

namespace host {

class TApplicationEvents : public TComponent {
  HOST_CLASS(TApplicationEvents, TComponent)
 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;
  static const TPublished& PublishedProperties();

  // Keeps the event being dispatched from the instances after this one.
  void CancelDispatch();

  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent v) { FOnException = std::move(v); }
  const TIdleEvent& OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent v) { FOnIdle = std::move(v); }
  const TMessageEvent& OnMessage() const { return FOnMessage; }
  void SetOnMessage(TMessageEvent v) { FOnMessage = std::move(v); }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent v) { FOnActivate = std::move(v); }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent v) { FOnDeactivate = std::move(v); }

 private:
  friend class AppEventsCaster;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
};

}  // namespace host
