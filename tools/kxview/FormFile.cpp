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

host::TCustomForm* LoadForm(const std::string& path, const host::TReadOptions& options) {
  // Naming the package's module keeps libkxpack linked, and with it every
  // component class registered for form files.
  (void)kx::HInstance();
  return host::ReadFormAs<host::TCustomForm>(ReadText(path), path, host::Application, options);
}

void SaveForm(host::TCustomForm* form, const std::string& path) { host::WriteFormFile(form, path); }

}  // namespace kxview
