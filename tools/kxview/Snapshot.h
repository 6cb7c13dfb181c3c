#pragma once
// Rendering a form headless: shown, the message loop left to go idle, and its
// window's pixels taken.
#include <string>

#include "host/controls/Forms.h"

namespace kxview {

// Shows form (OnShow runs), handles the messages and paints that follow until
// the loop is idle, and writes the form's window to path as a PNG.
void WriteSnapshot(host::TCustomForm* form, const std::string& path);

}  // namespace kxview
