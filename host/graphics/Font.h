#pragma once
// TFont: the description of a typeface that canvases and controls draw text
// with — family name, size, style and colour. It holds no glyphs itself; the
// font engine (host/graphics/FontEngine.h) turns it into a rendered face.
#include <cstdint>
#include <string>

#include "host/base/EnumInfo.h"
#include "host/base/Sets.h"
#include "host/classes/Classes.h"

namespace host {

HOST_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;

HOST_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)

using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;

// Size (points) and Height (pixels) convert at this resolution.
inline constexpr int kFontPixelsPerInch = 96;

class TFont : public TPersistent {
  HOST_CLASS(TFont, TPersistent)
 public:
  TFont() = default;
  // Charset, Color, Height, Name, Pitch, Size (not stored: Height holds it), Style.
  static const TPublished& PublishedProperties();

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // Negative: the em size in pixels. Positive: the cell height (ascent +
  // descent) in pixels. Zero: the engine's default size.
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value);
  // Points: Size = -Height × 72 / 96, rounded; setting it sets Height.
  int32_t Size() const;
  void SetSize(int32_t Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Stored and copied only; text is always UTF-8.
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);

  // Fires once per change that alters a value.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  // Copies every value of another TFont, firing OnChange once if any differed.
  void Assign(TPersistent* Source) override;

 protected:
  virtual void Changed();

 private:
  template <class T>
  void Store(T& field, const T& value);

  std::string FName = "MS Sans Serif";
  int32_t FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = static_cast<TColor>(0xFF000008);  // clWindowText
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TNotifyEvent FOnChange;
};

}  // namespace host
