#include "kxpack/foundations/KxTypes.h"

#include <gtest/gtest.h>

#include "kxpack/foundations/KxConst.h"

namespace kx {
namespace {

// Form files store enumerations by name; the names come from the declarations.
TEST(KxTypes, EnumerationsKnowTheirNamesInOrdinalOrder) {
  EXPECT_EQ(host::EnumName(tgdChord2), "tgdChord2");
  EXPECT_EQ(EnumInfoOf(TKxDisplayNumStyle{}).Count(), 5);
  EXPECT_EQ(EnumInfoOf(TKxDisplayNumStyle{}).Ordinal("TNS7X13"), 2);
  EXPECT_EQ(EnumInfoOf(TKindBtMenu{}).Name(5), "tkbNoMagnetic");
  EXPECT_EQ(EnumInfoOf(TKxTypeLanguage{}).TypeName(), "TKxTypeLanguage");
  static_assert(sizeof(TKxTriLedsType) == 1 && tltGlassDiamond == 3);
}

TEST(KxTypes, TriLedsSetsUseOrdinalBits) {
  const TKxTriLedsStates lit{tlsGreen, tlsRed};
  EXPECT_EQ(lit.Bits(), 0b101u);
  EXPECT_FALSE(lit.Contains(tlsYellow));
}

TEST(KxConst, TablesFollowTheEnumerationOrder) {
  // Index 2 is the 7 × 13 style, index 4 the smallest.
  EXPECT_STREQ(ResNumId[tns7x13], "NUM7x13");
  EXPECT_STREQ(ResNumId[tns5x7], "NUM5x7");
  EXPECT_STREQ(ResClockId[tns12x17], "CLOCKSEP4");
  EXPECT_STREQ(ResTimeZoneId[tns11x20], "AMPM11x20");
  // "RECT" is shared: the simple LED's second shape, the three-colour LEDs' second.
  EXPECT_STREQ(LedTypeName[tltRectangle], "RECT");
  EXPECT_STREQ(ResId[tltGlassRect], "RECT");
  EXPECT_EQ(LedTypeName.size(), 3u);
  EXPECT_EQ(ResId.size(), 4u);
}

}  // namespace
}  // namespace kx
