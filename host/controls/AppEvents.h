#pragma once
// TApplicationEvents: the application's events as a component on a form.
// Several instances may exist; each event goes to every instance, the most
// recently created first, until one calls CancelDispatch.
#include "host/controls/Forms.h"

namespace host {

class TCustomApplicationEvents : public TComponent {
  HOST_CLASS(TCustomApplicationEvents, TComponent)
 public:
  explicit TCustomApplicationEvents(TComponent* AOwner);
  ~TCustomApplicationEvents() override;

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

 protected:
  friend class AppEventsCaster;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
};

class TApplicationEvents : public TCustomApplicationEvents {
  HOST_CLASS(TApplicationEvents, TCustomApplicationEvents)
 public:
  using TCustomApplicationEvents::TCustomApplicationEvents;
  static const TPublished& PublishedProperties();
};

}  // namespace host
