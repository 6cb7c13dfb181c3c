#pragma once
// Hand-made bitmap files for the decoder tests: the headers are written field
// by field, so a test can put any value (valid or not) in any field.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace host::test {

struct BmpFields {
  uint32_t headerSize = 40;  // 12 writes an OS/2 core header
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> palette{};  // 0x00RRGGBB, written as BGRX (BGR for a core header)
  std::vector<uint32_t> masks{};    // after a 40-byte header, inside a larger one
  std::vector<uint8_t> pixels{};    // the pixel data exactly as stored
};

inline void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline std::vector<uint8_t> BuildBmp(const BmpFields& f) {
  const bool core = f.headerSize == 12;
  const uint32_t entry = core ? 3 : 4;
  const uint32_t masksAfter = f.headerSize == 40 ? 4 * uint32_t(f.masks.size()) : 0;
  const uint32_t offBits = 14 + f.headerSize + masksAfter + entry * uint32_t(f.palette.size());
  std::vector<uint8_t> out{'B', 'M'};
  PutLE(out, offBits + uint32_t(f.pixels.size()), 4);
  PutLE(out, 0, 4);
  PutLE(out, offBits, 4);
  PutLE(out, f.headerSize, 4);
  if (core) {
    PutLE(out, uint32_t(f.width), 2);
    PutLE(out, uint32_t(f.height), 2);
    PutLE(out, 1, 2);
    PutLE(out, f.bpp, 2);
  } else {
    PutLE(out, uint32_t(f.width), 4);
    PutLE(out, uint32_t(f.height), 4);
    PutLE(out, 1, 2);
    PutLE(out, f.bpp, 2);
    PutLE(out, f.compression, 4);
    PutLE(out, uint32_t(f.pixels.size()), 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, f.colorsUsed, 4);
    PutLE(out, 0, 4);
    for (uint32_t m : f.masks) PutLE(out, m, 4);
    out.resize(std::max<size_t>(out.size(), 14 + f.headerSize), 0);  // other V4/V5 fields: 0
  }
  for (uint32_t c : f.palette) PutLE(out, c, entry);
  out.insert(out.end(), f.pixels.begin(), f.pixels.end());
  return out;
}

}  // namespace host::test
