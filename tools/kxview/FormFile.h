#pragma once
// Loading and saving the form a form file describes, for kxview.
#include <ostream>
#include <string>

#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"

namespace kxview {

// A form read from a file.
struct LoadedForm {
  host::TCustomForm* Form = nullptr;
  // The root class the file names when no such class is registered and the
  // form was read as a plain TForm in its place; empty otherwise.
  std::string FileClass;
};

// Reads the form file at path into a new form owned by the application. The
// root may be a plain TForm or any registered form class; a root of a class
// kxview does not know (an application's own TForm1) is read as a plain
// TForm, with one warning line naming the class on err. Throws
// host::EReadError ("FILE:LINE: message") for a file that cannot be read or
// whose root is not a form; nothing is left behind then.
// options say what becomes of handlers the root class does not publish.
LoadedForm LoadForm(const std::string& path, host::TReadOptions options, std::ostream& err);

// Writes the form and everything it owns back as a form file, under the root
// class its file named.
void SaveForm(const LoadedForm& form, const std::string& path);

}  // namespace kxview
