#pragma once
// Resource-name tables: the name of the bitmap resource for each value of an
// enumeration. Resource lookup ignores case, so "NUM5x7" finds NUM5X7.
#include <array>

#include "kxpack/foundations/KxTypes.h"

namespace kx {

// Digit strips of the numeric display and the clock, by Style.
inline constexpr std::array<const char*, tns5x7 + 1> ResNumId = {"NUM13x24", "NUM11x20", "NUM7x13",
                                                                 "NUM12x17", "NUM5x7"};
// The clock's colon glyph and its AM/PM strip, by Style.
inline constexpr std::array<const char*, tns5x7 + 1> ResClockId = {
    "CLOCKSEP1", "CLOCKSEP2", "CLOCKSEP3", "CLOCKSEP4", "CLOCKSEP5"};
inline constexpr std::array<const char*, tns5x7 + 1> ResTimeZoneId = {
    "AMPM13x24", "AMPM11x20", "AMPM7x13", "AMPM12x17", "AMPM5x7"};

// The simple LED's strips by LedType, put into "LI_%s".
inline constexpr std::array<const char*, tltLargeRect + 1> LedTypeName = {"RND", "RECT", "BIG"};

// The three-colour LEDs' strips by LedType, put into "LIGHTS_%s_%s" with "ON"
// or "OFF".
inline constexpr std::array<const char*, tltGlassDiamond + 1> ResId = {"RND", "RECT", "SQR", "DMD"};

}  // namespace kx
