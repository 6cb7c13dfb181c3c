#pragma once
// Inside a FontFace: the FreeType face at its size, the metrics worked out
// from it, and the cache of rendered glyphs. Private to the font engine.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "host/graphics/FontEngine.h"

namespace host {

// One rendered glyph: 8-bit coverage, placed relative to the pen position on
// the baseline (Left to the right, Top upwards).
struct Glyph {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Advance = 0;
  std::vector<uint8_t> Coverage;  // Width × Height, top-down
};

struct FontFace::Impl {
  FontMatch Match;
  TFontStyles Style;
  FT_Face Face = nullptr;  // null when no font file could be opened

  int Ascent = 0;
  int Descent = 0;
  int EmPixels = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int BoldStrength = 0;     // 26.6 units the outline grows by when bold is synthesised
  int UnderlineOffset = 0;  // first underline row, from the cell top
  int UnderlineThickness = 1;
  int StrikeOutOffset = 0;  // first strike-out row, from the cell top
  int StrikeOutThickness = 1;

  // Guards Face and Glyphs: a face renders on one thread at a time.
  std::mutex Mutex;
  // By glyph index, so the cache is bounded by the font's glyph count
  // however many different (or missing) characters the text holds.
  std::unordered_map<FT_UInt, Glyph> Glyphs;

  ~Impl();
  // The cached glyph for a code point, rendered on first use. Call with
  // Mutex held; the reference stays valid (the map is never erased from).
  const Glyph& GlyphFor(char32_t cp);

 private:
  Glyph Render(FT_UInt index);
};

}  // namespace host
