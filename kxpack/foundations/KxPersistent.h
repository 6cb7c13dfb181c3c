#pragma once
// TKxPersistent: a persistent sub-object that tells its owner when it changes
// (OnChange), with BeginUpdate/EndUpdate to bundle several changes into one.
#include "host/classes/Classes.h"

namespace kx {

class TKxPersistent : public host::TPersistent {
  HOST_CLASS(TKxPersistent, host::TPersistent)
 public:
  // Called with the object itself as Sender when it changes.
  host::TNotifyEvent OnChange;

  void BeginUpdate() { ++FUpdateCount; }
  // Fires OnChange once the outermost EndUpdate is reached; an EndUpdate
  // without a BeginUpdate leaves the count at 0 and fires it too.
  void EndUpdate();

 protected:
  // Fires OnChange unless inside BeginUpdate/EndUpdate.
  void Changed();

  // Stores value in field and reports the change, unless it is already there.
  template <class V>
  void SetProp(V& field, const V& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  // Runs change between BeginUpdate and EndUpdate; EndUpdate runs also when
  // change raises, as a finally step would.
  template <class F>
  void Updating(F change) {
    BeginUpdate();
    try {
      change();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

 private:
  host::Integer FUpdateCount = 0;
};

}  // namespace kx
