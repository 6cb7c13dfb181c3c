#include <gtest/gtest.h>

#include <memory>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"
#include "host/graphics/Bitmap.h"
#include "kxpack/foundations/KxBevel.h"
#include "kxpack/foundations/KxGraphPal.h"

using namespace host;

namespace {

// Owns the package's sub-objects and a bitmap, as the panels and displays do.
class TFramedThing : public TComponent {
  HOST_CLASS(TFramedThing, TComponent)
 public:
  using TComponent::TComponent;
  kx::TKxBevel* Bevel() const { return FBevel.get(); }
  void SetBevel(kx::TKxBevel* v) { FBevel->Assign(v); }
  kx::TKxGraphPal* Palette() const { return FPalette.get(); }
  void SetPalette(kx::TKxGraphPal* v) { FPalette->Assign(v); }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }

  static const TPublished& PublishedProperties() {
    using T = TFramedThing;
    static const TPublished table = Publish<T>()
                                        .Object("Bevel", &T::Bevel, &T::SetBevel)
                                        .Object("Palette", &T::Palette, &T::SetPalette)
                                        .Object("Glyph", &T::Glyph, &T::SetGlyph);
    return table;
  }

 private:
  std::unique_ptr<kx::TKxBevel> FBevel = std::make_unique<kx::TKxBevel>();
  std::unique_ptr<kx::TKxGraphPal> FPalette = std::make_unique<kx::TKxGraphPal>();
  std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

TEST(PackageSubObjects, AlwaysStoredBevelAndPaletteEntriesAreWrittenAndBitmapsRoundTrip) {
  RegisterClass<TFramedThing>();
  TFramedThing thing(nullptr);
  thing.SetName("Thing");
  const std::string fresh = WriteForm(&thing);
  // Declared defaults are left out; entries without a default declaration stay.
  EXPECT_EQ(fresh,
            "object Thing: TFramedThing\n"
            "  Bevel.InnerShadow = clBtnShadow\n"
            "  Bevel.InnerHighlight = clBtnHighlight\n"
            "  Bevel.InnerWidth = 1\n"
            "  Bevel.InnerStyle = kxLowered\n"
            "  Bevel.InnerSpace = 1\n"
            "  Bevel.InnerColor = clBtnFace\n"
            "  Bevel.OuterShadow = clBtnShadow\n"
            "  Bevel.OuterHighlight = clBtnHighlight\n"
            "  Bevel.OuterStyle = kxRaised\n"
            "  Bevel.OuterOutline = osOuter\n"
            "  Palette.Low = clGreen\n"
            "  Palette.High = clLime\n"
            "end\n");

  thing.Bevel()->SetInnerWidth(3);
  thing.Bevel()->SetVisible(false);
  thing.Palette()->SetHigh(0x00584E4E);
  thing.Glyph()->SetSize(3, 2);
  thing.Glyph()->ScanLine(1)[2] = 0x00123456;
  const std::string text = WriteForm(&thing);
  std::unique_ptr<TComponent> copy(ReadForm(text, "thing.kxf"));
  EXPECT_EQ(WriteForm(copy.get()), text);
  auto* back = As<TFramedThing>(copy.get());
  EXPECT_EQ(back->Bevel()->InnerWidth(), 3);
  EXPECT_FALSE(back->Bevel()->Visible());
  EXPECT_EQ(back->Palette()->High(), 0x00584E4E);
  ASSERT_EQ(back->Glyph()->Width(), 3);
  EXPECT_EQ(back->Glyph()->ScanLine(1)[2], 0x00123456u);
}

}  // namespace
