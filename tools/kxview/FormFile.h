#pragma once
// Loading and saving the form a form file describes, for kxview.
#include <string>

#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"

namespace kxview {

// Reads the form file at path into a new form owned by the application. The
// root may be a plain TForm or any registered form class. Throws
// host::EReadError ("FILE:LINE: message") for a file that cannot be read or
// whose root is not a form; nothing is left behind then.
// options say what becomes of handlers the root class does not publish.
host::TCustomForm* LoadForm(const std::string& path, const host::TReadOptions& options);

// Writes form and everything it owns back as a form file.
void SaveForm(host::TCustomForm* form, const std::string& path);

}  // namespace kxview
