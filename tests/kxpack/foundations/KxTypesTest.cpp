#include "kxpack/foundations/KxTypes.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kx
