#pragma once
// The code behind the example forms: handlers their files name (OnExecute =
// CounterThreadExecute), found by name. Adding one takes a function and a
// line in the table of GalleryHandlers.cpp.
#include <string_view>

#include "host/classes/Classes.h"

namespace kxgallery {

using Handler = void (*)(host::TObject* Sender);

// The handler of that name, or nullptr.
Handler FindHandler(std::string_view name);

}  // namespace kxgallery
