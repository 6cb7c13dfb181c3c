#include "tools/kxview/FormFile.h"

#include "host/base/FileContents.h"
#include "host/classes/Streaming.h"
#include "kxpack/package/KxPack.h"

namespace kxview {

namespace {

std::string ReadText(const std::string& path) {
  try {
    return host::ReadFileContents(path);
  } catch (const host::EStreamError&) {
    throw host::EReadError(path + ":1: cannot read the file");
  }
}

}  // namespace

LoadedForm LoadForm(const std::string& path, host::TReadOptions options, std::ostream& err) {
  // Naming the package's module keeps libkxpack linked, and with it every
  // component class registered for form files.
  (void)kx::HInstance();
  LoadedForm loaded;
  options.UnknownRoot = [&](const std::string& className) {
    err << "kxview: " << className << " is not a registered class; the form is read as a TForm\n";
    loaded.FileClass = className;
    return host::TForm::StaticClass();
  };
  loaded.Form =
      host::ReadFormAs<host::TCustomForm>(ReadText(path), path, host::Application, options);
  return loaded;
}

void SaveForm(const LoadedForm& form, const std::string& path) {
  host::WriteFormFile(form.Form, path, form.FileClass);
}

}  // namespace kxview
