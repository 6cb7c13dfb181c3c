#include "host/controls/AppEvents.h"

#include <algorithm>
#include <vector>

#include "host/classes/ClassRegistry.h"

namespace host {

// Takes over the application's events while any TApplicationEvents exists
// and hands each event to the instances; the handlers the application had
// before are put back when the last instance goes.
class AppEventsCaster {
 public:
  static AppEventsCaster& Get() {
    static AppEventsCaster caster;
    return caster;
  }

  void Add(TCustomApplicationEvents* e) {
    if (FInstances.empty()) Install();
    FInstances.push_back(e);
  }

  void Remove(TCustomApplicationEvents* e) {
    FInstances.erase(std::remove(FInstances.begin(), FInstances.end(), e), FInstances.end());
    if (FInstances.empty()) Uninstall();
  }

  void Cancel() { FCancelled = true; }

 private:
  // Calls call(instance) for each instance, newest first, until one
  // cancels. Instances freed by a handler are skipped.
  template <class F>
  void ForEach(F call) {
    const bool outerCancelled = FCancelled;
    FCancelled = false;
    const std::vector<TCustomApplicationEvents*> snapshot = FInstances;
    for (auto it = snapshot.rbegin(); it != snapshot.rend() && !FCancelled; ++it)
      if (std::find(FInstances.begin(), FInstances.end(), *it) != FInstances.end()) call(*it);
    FCancelled = outerCancelled;
  }

  void Install() {
    FSavedException = Application->OnException();
    FSavedIdle = Application->OnIdle();
    FSavedMessage = Application->OnMessage();
    FSavedActivate = Application->OnActivate();
    FSavedDeactivate = Application->OnDeactivate();
    Application->SetOnException([this](TObject* sender, Exception* e) {
      bool handled = false;
      ForEach([&](TCustomApplicationEvents* a) {
        if (a->FOnException) {
          handled = true;
          a->FOnException(sender, e);
        }
      });
      if (handled) return;
      // No instance takes exceptions: report them as the application would.
      if (FSavedException)
        FSavedException(sender, e);
      else
        Application->ShowException(e);
    });
    Application->SetOnIdle([this](TObject* sender, bool& done) {
      ForEach([&](TCustomApplicationEvents* a) {
        if (!a->FOnIdle) return;
        bool d = true;
        a->FOnIdle(sender, d);
        done = done && d;
      });
    });
    Application->SetOnMessage([this](TMsg& msg, bool& handled) {
      ForEach([&](TCustomApplicationEvents* a) {
        if (a->FOnMessage && !handled) a->FOnMessage(msg, handled);
      });
    });
    Application->SetOnActivate([this](TObject* sender) {
      ForEach([&](TCustomApplicationEvents* a) {
        if (a->FOnActivate) a->FOnActivate(sender);
      });
    });
    Application->SetOnDeactivate([this](TObject* sender) {
      ForEach([&](TCustomApplicationEvents* a) {
        if (a->FOnDeactivate) a->FOnDeactivate(sender);
      });
    });
  }

  void Uninstall() {
    Application->SetOnException(FSavedException);
    Application->SetOnIdle(FSavedIdle);
    Application->SetOnMessage(FSavedMessage);
    Application->SetOnActivate(FSavedActivate);
    Application->SetOnDeactivate(FSavedDeactivate);
  }

  std::vector<TCustomApplicationEvents*> FInstances;
  bool FCancelled = false;
  TExceptionEvent FSavedException;
  TIdleEvent FSavedIdle;
  TMessageEvent FSavedMessage;
  TNotifyEvent FSavedActivate;
  TNotifyEvent FSavedDeactivate;
};

TCustomApplicationEvents::TCustomApplicationEvents(TComponent* AOwner) : TComponent(AOwner) {
  AppEventsCaster::Get().Add(this);
}

TCustomApplicationEvents::~TCustomApplicationEvents() { AppEventsCaster::Get().Remove(this); }

void TCustomApplicationEvents::CancelDispatch() { AppEventsCaster::Get().Cancel(); }

const TPublished& TApplicationEvents::PublishedProperties() {
  using T = TApplicationEvents;
  static const TPublished table = Publish<T>()
                                      .Event("OnActivate", &T::FOnActivate)
                                      .Event("OnDeactivate", &T::FOnDeactivate)
                                      .Event("OnException", &T::FOnException)
                                      .Event("OnIdle", &T::FOnIdle)
                                      .Event("OnMessage", &T::FOnMessage);
  return table;
}

const bool kAppEventsRegistered = (RegisterClass<TApplicationEvents>(), true);

}  // namespace host
