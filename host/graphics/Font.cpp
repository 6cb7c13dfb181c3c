#include "host/graphics/Font.h"

#include <cstdint>
#include <cstdlib>

#include "host/base/Types.h"
#include "host/classes/TypInfo.h"

namespace host {

namespace {

// -(a × b / c) rounded to the nearest integer (halves away from zero) and
// kept within the 32-bit range.
int32_t NegatedMulDivRound(int64_t a, int64_t b, int64_t c) {
  const int64_t p = a * b;
  const int64_t q = (std::llabs(p) + c / 2) / c;
  return SaturateToInt32(p < 0 ? q : -q);
}

}  // namespace

const TPublished& TFont::PublishedProperties() {
  using T = TFont;
  static const TPublished table = Publish<T>()
                                      .Int("Charset", &T::Charset, &T::SetCharset)
                                      .Color("Color", &T::Color, &T::SetColor)
                                      .Int("Height", &T::Height, &T::SetHeight)
                                      .String("Name", &T::Name, &T::SetName)
                                      .Enum("Pitch", &T::Pitch, &T::SetPitch, fpDefault)
                                      .Int("Size", &T::Size, &T::SetSize)
                                      .NotStored()
                                      .Set("Style", &T::Style, &T::SetStyle);
  return table;
}

template <class T>
void TFont::Store(T& field, const T& value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TFont::SetName(const std::string& Value) { Store(FName, Value); }
void TFont::SetHeight(int32_t Value) { Store(FHeight, Value); }
void TFont::SetStyle(TFontStyles Value) { Store(FStyle, Value); }
void TFont::SetColor(TColor Value) { Store(FColor, Value); }
void TFont::SetPitch(TFontPitch Value) { Store(FPitch, Value); }
void TFont::SetCharset(TFontCharset Value) { Store(FCharset, Value); }

int32_t TFont::Size() const { return NegatedMulDivRound(FHeight, 72, kFontPixelsPerInch); }

void TFont::SetSize(int32_t Value) { SetHeight(NegatedMulDivRound(Value, kFontPixelsPerInch, 72)); }

void TFont::Assign(TPersistent* Source) {
  auto* source = As<TFont>(Source);
  if (!source) return inherited::Assign(Source);
  if (source == this) return;
  const bool differs = FName != source->FName || FHeight != source->FHeight ||
                       FStyle != source->FStyle || FColor != source->FColor ||
                       FPitch != source->FPitch || FCharset != source->FCharset;
  if (!differs) return;
  FName = source->FName;
  FHeight = source->FHeight;
  FStyle = source->FStyle;
  FColor = source->FColor;
  FPitch = source->FPitch;
  FCharset = source->FCharset;
  Changed();
}

void TFont::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace host
