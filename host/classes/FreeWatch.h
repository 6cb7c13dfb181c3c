#pragma once
// Tells whether a component still exists after running code that may free
// it: a modal loop that dispatches messages, or an application's handler.
// The watch asks the component for a free notification and forgets it when
// the notification comes, so checking Freed() never touches freed memory.
#include "host/classes/Classes.h"

namespace host {

class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(TComponent* AComponent);
  ~TFreeWatch() override;
  TFreeWatch(const TFreeWatch&) = delete;
  TFreeWatch& operator=(const TFreeWatch&) = delete;

  // True once the watched component has been freed (also when it was
  // nullptr to begin with).
  bool Freed() const { return FComponent == nullptr; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TComponent* FComponent;
};

}  // namespace host
