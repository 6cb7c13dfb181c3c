// kxartgen OUTPUT_DIR [--sheet FILE.png]
//
// Draws every bitmap resource of the package and writes each as NAME.bmp into
// OUTPUT_DIR (normally kxpack/resources) in its declared colour depth. The
// output depends on nothing but this code, so running it again reproduces the
// committed files byte for byte. --sheet also writes a 4× contact sheet.
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/graphics/BmpCodec.h"
#include "host/graphics/PngCodec.h"
#include "tools/kxartgen/Artwork.h"
#include "tools/pixelart/ContactSheet.h"

namespace {

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [--sheet FILE.png]\n", argv[0]);
    return 2;
  }
  try {
    kxartgen::ArtList art;
    kxartgen::AddDigitArt(art);
    kxartgen::AddLedArt(art);
    kxartgen::AddButtonArt(art);
    kxartgen::AddFlagArt(art);
    kxartgen::AddIconArt(art);

    pixelart::ContactSheet sheet(1400, 0x303038, 0xE0E0E0);
    for (const kxartgen::Artwork& a : art) {
      WriteFile(std::string(argv[1]) + "/" + a.name + ".bmp", host::EncodeBmp(a.image));
      sheet.Add(a.name, a.image, 4);
    }
    if (argc == 4) WriteFile(argv[3], host::EncodePng(sheet.Render()));
    std::printf("%zu bitmaps written to %s\n", art.size(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kxartgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
