#pragma once
// The enumeration, set, subrange and event types that the components'
// published properties use. Enumerations know their value names (form files
// store them by name); every one is stored in a byte, ordinals from 0.
#include <cstdint>
#include <string>

#include "host/base/EnumInfo.h"
#include "host/base/Sets.h"
#include "host/base/Types.h"
#include "host/classes/Classes.h"

namespace kx {

using host::Byte;
using host::Integer;
using host::Word;

// --- Enumerations ------------------------------------------------------------

HOST_ENUM(TKxGradDirection, tgdUpDown, tgdLeftRight, tgdChord1, tgdChord2)
HOST_ENUM(TKindBtMenu, tkbNone, tkbBarre, tkbCtrlMenu, tkbMinimized, tkbMagnetic, tkbNoMagnetic)
HOST_ENUM(TKxTimerType, ttThread, ttSystem)
// Not sorted by size: index 2 is 7 × 13 and index 4 the smallest.
HOST_ENUM(TKxDisplayNumStyle, tns13x24, tns11x20, tns7x13, tns12x17, tns5x7)
HOST_ENUM(TKxDisplayNumAlignment, tnaLeftJustify, tnaCenter, tnaRightJustify)
HOST_ENUM(TKxDisplayClockType, tctRealTime, tctElapsed, tctCustom)
HOST_ENUM(TKxTimeZone, ttzPM, ttzAM, ttzNone)
HOST_ENUM(TKxLedStyle, tlsRaised, tlsLowered, tlsNone, tlsFlat)
HOST_ENUM(TKxScanDirection, tsdBoth, tsdLeftRight, tsdRightLeft)
HOST_ENUM(TKxSimpleLedType, tltRounded, tltRectangle, tltLargeRect)
HOST_ENUM(TKxSimpleLedDrawStyle, tdsDesign, tdsCustom)
HOST_ENUM(TKxImageTextLayout, tImageLeft, tImageRight, tImageTop, tImageBottom)
HOST_ENUM(TKxDrawStyle, tdsOwnerDraw, tdsNormal)
HOST_ENUM(TKxTriLedsState, tlsGreen, tlsYellow, tlsRed)
HOST_ENUM(TKxTriLedsOrder, tloGreenToRed, tloRedToGreen)
HOST_ENUM(TKxTriLedsType, tltGlassRounded, tltGlassRect, tltGlassSquare, tltGlassDiamond)
HOST_ENUM(TKxOrientation, tvoVertical, tvoHorizontal)
HOST_ENUM(TKxPaletteBt, tpBtWhite, tpBtGreen, tpBtYellow, tpBtOrange, tpBtRed)
HOST_ENUM(TKxPaintType, tpiUp, tpiOver, tpiDown, tpiDisa)
HOST_ENUM(TDirectThinger, tdtLeft, tdtRight)
HOST_ENUM(TKxScrollStyle, tdsScroll, tdsBounce)
HOST_ENUM(TKxTypeLanguage, ttlgUs, ttlgDe, ttlgFr)

// --- Sets ----------------------------------------------------------------------

// Which lamps of a three-colour LED group are lit.
using TKxTriLedsStates = host::TSet<TKxTriLedsState>;
// Which lamps of a three-colour LED group are shown.
using TKxTriLedsVisible = host::TSet<TKxTriLedsState>;

// --- Subranges: the storage type and the bounds --------------------------------

using TKxHoursInt = Byte;
inline constexpr TKxHoursInt TKxHoursIntLow = 0, TKxHoursIntHigh = 23;
using TKxMinutesInt = Byte;
inline constexpr TKxMinutesInt TKxMinutesIntLow = 0, TKxMinutesIntHigh = 59;
using TKxSecondsInt = Byte;
inline constexpr TKxSecondsInt TKxSecondsIntLow = 0, TKxSecondsIntHigh = 59;
using TKxMaxInt = Integer;
inline constexpr TKxMaxInt TKxMaxIntLow = 1, TKxMaxIntHigh = 2147483647;
using TKxPercentInt = Byte;
inline constexpr TKxPercentInt TKxPercentIntLow = 0, TKxPercentIntHigh = 100;
using TKxScrollSpeed = Integer;
inline constexpr TKxScrollSpeed TKxScrollSpeedLow = 1, TKxScrollSpeedHigh = 2147483647;
using TKxScrollAmount = Byte;
inline constexpr TKxScrollAmount TKxScrollAmountLow = 1, TKxScrollAmountHigh = 20;

// A short version string of at most TKxVersionMaxLength characters.
using TKxVersion = std::string;
inline constexpr int TKxVersionMaxLength = 4;

// --- Events (called with the component as Sender) -------------------------------

using TKxHoursChangeEvent = host::TEvent<host::TObject*, Word>;
using TKxMinutesChangeEvent = host::TEvent<host::TObject*, Word>;
using TKxSecondsChangeEvent = host::TEvent<host::TObject*, Word>;

}  // namespace kx
