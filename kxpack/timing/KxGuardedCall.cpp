#include "kxpack/timing/KxGuardedCall.h"

#include <exception>

#include "host/controls/Forms.h"
#include "host/threads/Threads.h"

namespace kx {

void CallGuarded(const host::TNotifyEvent& Handler, host::TObject* Sender) {
  std::exception_ptr error;
  try {
    Handler(Sender);
    return;
  } catch (...) {
    if (host::IsMainThread()) {
      host::Application->HandleException(Sender);
      return;
    }
    error = std::current_exception();
  }
  // The application's exception handling belongs to the main thread.
  host::TThread::Synchronize([&] {
    try {
      std::rethrow_exception(error);
    } catch (...) {
      host::Application->HandleException(Sender);
    }
  });
}

}  // namespace kx
