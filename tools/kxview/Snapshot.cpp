#include "tools/kxview/Snapshot.h"

#include <fstream>

#include "host/base/SysUtils.h"
#include "host/graphics/PngCodec.h"

namespace kxview {

void WriteSnapshot(host::TCustomForm* form, const std::string& path) {
  form->Show();
  // The first pass may post more (a resize, an invalidation from OnShow); a
  // second one handles those.
  host::Application->ProcessMessages();
  host::Application->ProcessMessages();
  const std::vector<uint8_t> png = host::EncodePng(form->Framebuffer());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  file.close();
  if (!file) throw host::EWriteError("cannot write " + path);
}

}  // namespace kxview
