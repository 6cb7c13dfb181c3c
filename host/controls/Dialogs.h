#pragma once
// ShowMessage: a modal message form with an OK button (ShowMessageForm) when
// an application runs on a platform with a screen; on the headless platform
// or off the main thread the text goes to stderr. A hook replaces both.
#include <functional>
#include <string>

namespace host {

using TShowMessageHook = std::function<void(const std::string&)>;

void ShowMessage(const std::string& Msg);
// Replaces what ShowMessage does and returns the previous hook; an empty hook
// restores the default.
TShowMessageHook SetShowMessageHook(TShowMessageHook hook);

}  // namespace host
