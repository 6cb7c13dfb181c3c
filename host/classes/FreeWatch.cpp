#include "host/classes/FreeWatch.h"

namespace host {

TFreeWatch::TFreeWatch(TComponent* AComponent) : TComponent(nullptr), FComponent(AComponent) {
  if (FComponent) FComponent->FreeNotification(this);
}

TFreeWatch::~TFreeWatch() {
  if (FComponent) FComponent->RemoveFreeNotification(this);
}

void TFreeWatch::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FComponent) FComponent = nullptr;
  TComponent::Notification(AComponent, Operation);
}

}  // namespace host
