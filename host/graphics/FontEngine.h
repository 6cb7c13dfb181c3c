#pragma once
// The font engine: fontconfig finds the file for a family name, FreeType
// renders its glyphs as 8-bit coverage (grey-scale anti-aliasing, hinted), and
// each resolved face keeps a cache of the glyphs it has rendered.
//
// Faces are created on first use and live until the process ends, so the
// reference ResolveFont returns stays valid. All calls are thread-safe.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/Font.h"

namespace host {

// Where fontconfig found a family: the file and face index, and the styles
// the file lacks, which the engine then synthesises.
struct FontMatch {
  std::string File;
  int Index = 0;
  std::string Family;  // the family the file belongs to
  bool SynthesizeBold = false;
  bool SynthesizeItalic = false;
};

// Matches a family name and style to an installed font file. Known Windows
// family names map to metric-compatible families ("Arial", "MS Sans Serif" →
// Liberation Sans …); other names get fontconfig's best match. Never fails
// while any font is installed; File is empty when none is.
FontMatch MatchFont(std::string_view family, TFontStyles style, TFontPitch pitch = fpDefault);

// A face at one pixel size and style, with metrics in whole pixels like a
// GDI TEXTMETRIC.
class FontFace {
 public:
  struct Impl;
  explicit FontFace(std::unique_ptr<Impl> impl);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  int Ascent() const;           // baseline to the top of the cell
  int Descent() const;          // baseline to the bottom of the cell
  int Height() const;           // Ascent + Descent: the cell (line) height
  int InternalLeading() const;  // Height - em size
  int ExternalLeading() const;  // extra space the font asks for between lines
  int AveCharWidth() const;
  int EmPixels() const;  // the em size in pixels
  TFontStyles Style() const;
  const FontMatch& Match() const;
  // How many glyphs the face has rendered and keeps.
  size_t CachedGlyphCount() const;

  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// The face for a font's Name, Height, Style and Pitch; cached, so repeated
// calls with equal values return the same face.
const FontFace& ResolveFont(const TFont& font);

// The advance width of UTF-8 text in pixels (what TextOut moves the pen by).
int MeasureTextWidth(const FontFace& face, std::string_view utf8);

// Draws UTF-8 text with its cell's top-left at (x, y), blending the glyph
// coverage in colour rgb (0x00RRGGBB) over the surface's pixels, plus the
// underline and strike-out lines of the face's style. Only pixels inside the
// clip rectangles (surface coordinates, disjoint) change.
void RenderText(BitmapImage& surface, std::span<const TRect> clip, int x, int y,
                const FontFace& face, std::string_view utf8, uint32_t rgb);
// The same, clipped to the surface only.
void RenderText(BitmapImage& surface, int x, int y, const FontFace& face, std::string_view utf8,
                uint32_t rgb);

// A horizontal line from x0 to x1 (exclusive) as the face underlines text
// whose cell top is y: used for the '&' prefix underline of DrawText.
void RenderUnderline(BitmapImage& surface, std::span<const TRect> clip, int x0, int x1, int y,
                     const FontFace& face, uint32_t rgb);

}  // namespace host
