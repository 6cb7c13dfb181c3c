#pragma once
// ShowMessage: a message box with an OK button. Until the controls provide the
// modal form, the text goes to a replaceable hook (by default, stderr).
#include <functional>
#include <string>

namespace host {

using TShowMessageHook = std::function<void(const std::string&)>;

void ShowMessage(const std::string& Msg);
// Replaces what ShowMessage does and returns the previous hook; an empty hook
// restores the default (the text on stderr).
TShowMessageHook SetShowMessageHook(TShowMessageHook hook);

}  // namespace host
