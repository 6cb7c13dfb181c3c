#pragma once
// The form ShowMessage shows: the text above an OK button, centred on the
// screen, modal until OK is clicked or Enter, Space or Escape is pressed.
#include <string>

namespace host {

void ShowMessageForm(const std::string& Msg);

}  // namespace host
