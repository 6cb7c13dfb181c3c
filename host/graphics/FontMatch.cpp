// Family name → font file, through fontconfig.
#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
#include <mutex>
#include <optional>

#include "host/base/SysUtils.h"
#include "host/graphics/FontEngine.h"

namespace host {

namespace {

// Windows family names and the installed families with the same metrics,
// in order of preference.
struct FamilyAlias {
  const char* Name;
  std::array<const char*, 2> Families;
};

constexpr FamilyAlias kAliases[] = {
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "DejaVu Sans"}},
    {"Tahoma", {"Liberation Sans", "DejaVu Sans"}},
    {"Segoe UI", {"Liberation Sans", "DejaVu Sans"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Times", {"Liberation Serif", "DejaVu Serif"}},
};

bool HasFamily(FcPattern* font, std::string_view family) {
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &value) == FcResultMatch; ++i)
    if (SameText(reinterpret_cast<const char*>(value), family)) return true;
  return false;
}

FontMatch ToMatch(FcPattern* font, TFontStyles style) {
  FontMatch match;
  FcChar8* text = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &text) == FcResultMatch)
    match.File = reinterpret_cast<const char*>(text);
  if (FcPatternGetString(font, FC_FAMILY, 0, &text) == FcResultMatch)
    match.Family = reinterpret_cast<const char*>(text);
  FcPatternGetInteger(font, FC_INDEX, 0, &match.Index);
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(font, FC_SLANT, 0, &slant);
  match.SynthesizeBold = style.Contains(fsBold) && weight < FC_WEIGHT_DEMIBOLD;
  match.SynthesizeItalic = style.Contains(fsItalic) && slant == FC_SLANT_ROMAN;
  return match;
}

// fontconfig's best match for the family and style; nothing when no font is
// installed, or when `required` is given and the match is not of that family.
// The font set from FcFontSort holds each font's own weight and slant (what
// FcFontMatch returns is already edited by the synthesis rules), which is
// what tells whether bold or italic must be synthesised.
std::optional<FontMatch> BestMatch(std::string_view family, TFontStyles style, TFontPitch pitch,
                                   bool familyRequired) {
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                  FcPatternDestroy);
  const std::string name(family);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                      style.Contains(fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT,
                      style.Contains(fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (pitch == fpFixed) FcPatternAddInteger(pattern.get(), FC_SPACING, FC_MONO);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> fonts(
      FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result), FcFontSetDestroy);
  if (!fonts || fonts->nfont == 0) return std::nullopt;
  FcPattern* best = fonts->fonts[0];
  if (familyRequired && !HasFamily(best, family)) return std::nullopt;
  FontMatch match = ToMatch(best, style);
  if (match.File.empty()) return std::nullopt;
  return match;
}

}  // namespace

FontMatch MatchFont(std::string_view family, TFontStyles style, TFontPitch pitch) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  // An alias counts only when fontconfig really has that family; otherwise
  // the name itself gets fontconfig's best guess, then any sans-serif face.
  for (const FamilyAlias& alias : kAliases) {
    if (!SameText(alias.Name, family)) continue;
    for (const char* candidate : alias.Families)
      if (auto match = BestMatch(candidate, style, pitch, true)) return *match;
  }
  for (std::string_view candidate : {family, std::string_view("sans-serif")})
    if (auto match = BestMatch(candidate, style, pitch, false)) return *match;
  return {};
}

}  // namespace host
