// Opening faces, working out their metrics, rendering and caching glyphs.
#include "host/graphics/FontEngine.h"

#include <freetype/ftoutln.h>
#include <freetype/tttables.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "host/base/SysUtils.h"
#include "host/graphics/FontFaceImpl.h"

namespace host {

namespace {

constexpr int kDefaultEm = 11;  // Height 0 means the default font's em size
constexpr int kMaxEm = 1024;    // larger requests are clamped, glyph buffers stay bounded
constexpr FT_Fixed kItalicShear = 0x0366A;  // ≈ 12°, the usual oblique slant

// The em size in pixels a negative or zero Height asks for, within range.
int EmOfHeight(int32_t height) {
  return height == 0 ? kDefaultEm : height < -kMaxEm ? kMaxEm : std::max(1, -height);
}

// The face's vertical extent in font units: the Windows ascent and descent
// when the font has an OS/2 table, else the horizontal header's.
struct VerticalExtent {
  double Ascent;
  double Descent;
};

VerticalExtent ExtentOf(FT_Face face, const TT_OS2* os2) {
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0)
    return {double(os2->usWinAscent), double(os2->usWinDescent)};
  if (face->ascender - face->descender > 0)
    return {double(face->ascender), -double(face->descender)};
  return {face->units_per_EM * 0.8, face->units_per_EM * 0.2};
}

// Chooses the pixel size for a Height and fills in the metrics.
void SizeFace(FontFace::Impl& f, int32_t height) {
  FT_Face face = f.Face;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const VerticalExtent extent = ExtentOf(face, os2);
  const double upm = face->units_per_EM;

  // Height < 0 asks for an em size, Height > 0 for a cell (ascent + descent).
  double em;
  if (height > 0) {
    height = std::min(height, kMaxEm);
    em = height * upm / (extent.Ascent + extent.Descent);
  } else {
    em = EmOfHeight(height);
  }
  em = std::max(em, 1.0);
  FT_Set_Char_Size(face, 0, std::lround(em * 64), 72, 72);
  const double scale = em / upm;

  if (height > 0) {
    f.Ascent = std::lround(extent.Ascent * scale);
    f.Descent = height - f.Ascent;
  } else {
    // Round up so that the cell holds the whole design extent; the small
    // tolerance keeps exact fits from gaining a row.
    f.Ascent = static_cast<int>(std::ceil(extent.Ascent * scale - 0.05));
    f.Descent = static_cast<int>(std::ceil(extent.Descent * scale - 0.05));
  }
  f.EmPixels = static_cast<int>(std::lround(em));
  f.ExternalLeading =
      std::max(0L, std::lround((face->height - extent.Ascent - extent.Descent) * scale));
  if (os2 && os2->xAvgCharWidth > 0) f.AveCharWidth = std::lround(os2->xAvgCharWidth * scale);
  if (f.Match.SynthesizeBold) f.BoldStrength = std::max(1L, std::lround(em / 24)) * 64;

  const int cell = f.Ascent + f.Descent;
  const double ulPosition = face->underline_thickness > 0 ? -face->underline_position : upm / 10;
  const double ulThickness = face->underline_thickness > 0 ? face->underline_thickness : upm / 20;
  f.UnderlineThickness = std::max(1L, std::lround(ulThickness * scale));
  f.UnderlineOffset =
      std::clamp(f.Ascent + int(std::lround((ulPosition - ulThickness / 2) * scale)), f.Ascent,
                 std::max(f.Ascent, cell - f.UnderlineThickness));

  const bool hasStrike = os2 && os2->yStrikeoutSize > 0;
  const double soPosition = hasStrike ? os2->yStrikeoutPosition : upm * 0.3;
  const double soThickness = hasStrike ? os2->yStrikeoutSize : ulThickness;
  f.StrikeOutThickness = std::max(1L, std::lround(soThickness * scale));
  f.StrikeOutOffset = std::clamp(f.Ascent - int(std::lround(soPosition * scale)), 0,
                                 std::max(0, cell - f.StrikeOutThickness));
}

// Without any usable font file: a face that measures text but draws no glyphs.
void SizeEmptyFace(FontFace::Impl& f, int32_t height) {
  const int cell = height > 0 ? std::min(height, kMaxEm) : EmOfHeight(height) * 6 / 5;
  f.Ascent = std::max(1, cell * 4 / 5);
  f.Descent = cell - f.Ascent;
  f.EmPixels = std::max(1, cell * 5 / 6);
  f.AveCharWidth = std::max(1, f.EmPixels / 2);
  f.UnderlineOffset = std::min(f.Ascent, std::max(0, cell - 1));
  f.StrikeOutOffset = f.Ascent * 2 / 3;
}

struct FaceKey {
  std::string Name;  // upper case: family names match without regard to case
  int32_t Height;
  uint64_t Style;
  int Pitch;
  auto operator<=>(const FaceKey&) const = default;
};

class Engine {
 public:
  static Engine& Instance() {
    static Engine engine;
    return engine;
  }

  const FontFace& Resolve(const TFont& font) {
    FaceKey key{UpperCase(font.Name()), font.Height(), font.Style().Bits(), font.Pitch()};
    std::lock_guard lock(mutex_);
    auto it = faces_.find(key);
    if (it == faces_.end())
      it = faces_.emplace(std::move(key), std::make_unique<FontFace>(Open(font))).first;
    return *it->second;
  }

  ~Engine() {
    faces_.clear();  // the faces belong to the library: close them first
    if (library_) FT_Done_FreeType(library_);
  }

 private:
  Engine() {
    if (FT_Init_FreeType(&library_)) library_ = nullptr;
  }

  // Opens the matched file; a file FreeType cannot use, or one without
  // outlines, gives way to the generic sans-serif face.
  FT_Face OpenFile(FontMatch& match, const TFont& font) {
    if (!library_) return nullptr;
    for (int attempt = 0; attempt < 2; ++attempt) {
      FT_Face face = nullptr;
      if (!match.File.empty() &&
          FT_New_Face(library_, match.File.c_str(), match.Index, &face) == 0) {
        if (FT_IS_SCALABLE(face) && face->units_per_EM > 0) return face;
        FT_Done_Face(face);
      }
      match = MatchFont("sans-serif", font.Style(), font.Pitch());
    }
    return nullptr;
  }

  std::unique_ptr<FontFace::Impl> Open(const TFont& font) {
    auto f = std::make_unique<FontFace::Impl>();
    f->Match = MatchFont(font.Name(), font.Style(), font.Pitch());
    f->Style = font.Style();
    f->Face = OpenFile(f->Match, font);
    if (!f->Face) {
      f->Match = FontMatch{};
      SizeEmptyFace(*f, font.Height());
      return f;
    }
    SizeFace(*f, font.Height());
    if (f->AveCharWidth <= 0) {
      std::lock_guard lock(f->Mutex);
      f->AveCharWidth = std::max(1, f->GlyphFor('x').Advance);
    }
    return f;
  }

  FT_Library library_ = nullptr;
  std::mutex mutex_;
  std::map<FaceKey, std::unique_ptr<FontFace>> faces_;
};

}  // namespace

// --- FontFace::Impl --------------------------------------------------------

FontFace::Impl::~Impl() {
  if (Face) FT_Done_Face(Face);
}

const Glyph& FontFace::Impl::GlyphFor(char32_t cp) {
  static const Glyph kNothing;
  if (cp < 0x20 || cp == 0x7F) return kNothing;  // control characters take no space
  // Without a font every character is the same blank glyph.
  const FT_UInt index = Face ? FT_Get_Char_Index(Face, cp) : 0;
  auto it = Glyphs.find(index);
  if (it == Glyphs.end()) it = Glyphs.emplace(index, Render(index)).first;
  return it->second;
}

Glyph FontFace::Impl::Render(FT_UInt index) {
  Glyph g;
  if (!Face) {
    g.Advance = AveCharWidth;
    return g;
  }
  if (FT_Load_Glyph(Face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP)) return g;
  FT_GlyphSlot slot = Face->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (Match.SynthesizeItalic) {
      const FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (BoldStrength) FT_Outline_EmboldenXY(&slot->outline, BoldStrength, 0);
  }
  g.Advance = static_cast<int>((slot->advance.x + 32) >> 6) + BoldStrength / 64;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL)) return g;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = static_cast<int>(bitmap.width);
  g.Height = static_cast<int>(bitmap.rows);
  g.Coverage.resize(size_t(g.Width) * g.Height);
  const int pitch = std::abs(bitmap.pitch);
  for (int row = 0; row < g.Height; ++row) {
    // A negative pitch stores the rows bottom-up.
    const int source = bitmap.pitch < 0 ? g.Height - 1 - row : row;
    std::copy_n(bitmap.buffer + size_t(source) * pitch, g.Width,
                g.Coverage.begin() + size_t(row) * g.Width);
  }
  return g;
}

// --- FontFace --------------------------------------------------------------

FontFace::FontFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FontFace::~FontFace() = default;

int FontFace::Ascent() const { return impl_->Ascent; }
int FontFace::Descent() const { return impl_->Descent; }
int FontFace::Height() const { return impl_->Ascent + impl_->Descent; }
int FontFace::InternalLeading() const { return std::max(0, Height() - impl_->EmPixels); }
int FontFace::ExternalLeading() const { return impl_->ExternalLeading; }
int FontFace::AveCharWidth() const { return impl_->AveCharWidth; }
int FontFace::EmPixels() const { return impl_->EmPixels; }
TFontStyles FontFace::Style() const { return impl_->Style; }
const FontMatch& FontFace::Match() const { return impl_->Match; }

size_t FontFace::CachedGlyphCount() const {
  std::lock_guard lock(impl_->Mutex);
  return impl_->Glyphs.size();
}

const FontFace& ResolveFont(const TFont& font) { return Engine::Instance().Resolve(font); }

}  // namespace host
