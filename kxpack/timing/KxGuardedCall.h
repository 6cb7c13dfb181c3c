#pragma once
// The exception guard around the handlers of the timer and thread components.
#include "host/classes/Classes.h"

namespace kx {

// Calls Handler(Sender). An exception that escapes the handler goes to
// Application.HandleException with Sender, on the main thread: a call made
// on a worker thread hands the exception over through Synchronize. Nothing
// is raised to the caller, so the ticks or calls go on.
void CallGuarded(const host::TNotifyEvent& Handler, host::TObject* Sender);

}  // namespace kx
