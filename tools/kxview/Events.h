#pragma once
// The event handlers a form file names, for a kxview that has none of the
// application's code: left unbound with a warning, or bound to stubs that
// print each call.
#include <ostream>

#include "host/classes/Streaming.h"

namespace kxview {

// Leaves every handler the root class does not publish unbound and writes
// one warning line per handler name to err.
host::TReadOptions WarnUnboundHandlers(std::ostream& err);

// Binds every handler the root class does not publish to a stub that writes
// one line per call to out: "Button1Click(Sender=Button1)", with the event's
// other arguments ("Button=mbLeft Shift=[ssLeft] X=12 Y=3"). Events of a kind
// it cannot print are left unbound with a warning on err.
host::TReadOptions PrintHandlerCalls(std::ostream& out, std::ostream& err);

}  // namespace kxview
