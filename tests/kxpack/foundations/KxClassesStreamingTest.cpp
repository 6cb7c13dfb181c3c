// TKxBevel and TKxGraphPal as published sub-objects in form files: the
// properties without a declared default are always written, the others only
// when they differ, and everything reads back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"
#include "kxpack/foundations/KxClasses.h"

namespace kx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A component that publishes a bevel and a palette, as the controls do.
class TBevelHolder : public host::TComponent {
  HOST_CLASS(TBevelHolder, host::TComponent)
 public:
  explicit TBevelHolder(host::TComponent* AOwner) : host::TComponent(AOwner) {}
  TKxBevel* Bevel() const { return FBevel.get(); }
  void SetBevel(TKxBevel* Value) { FBevel->Assign(Value); }
  TKxGraphPal* GraphPal() const { return FGraphPal.get(); }
  void SetGraphPal(TKxGraphPal* Value) { FGraphPal->Assign(Value); }

  static const host::TPublished& PublishedProperties() {
    using T = TBevelHolder;
    static const host::TPublished table = host::Publish<T>()
                                              .Object("Bevel", &T::Bevel, &T::SetBevel)
                                              .Object("GraphPal", &T::GraphPal, &T::SetGraphPal);
    return table;
  }

 private:
  std::unique_ptr<TKxBevel> FBevel = std::make_unique<TKxBevel>();
  std::unique_ptr<TKxGraphPal> FGraphPal = std::make_unique<TKxGraphPal>();
};

TEST(KxClassesStreaming, AlwaysStoredAndDefaultPropertiesRoundTrip) {
  host::RegisterClass<TBevelHolder>();
  TBevelHolder holder(nullptr);
  holder.SetName("Holder");
  holder.Bevel()->SetOuterWidth(3);
  holder.Bevel()->SetInnerColor(0x00584E4E);
  holder.GraphPal()->SetHigh(0x0000FF);

  const std::string text = host::WriteForm(&holder);
  // No default declaration: written even at their initial values.
  for (const char* always :
       {"Bevel.InnerShadow = clBtnShadow", "Bevel.InnerHighlight = clBtnHighlight",
        "Bevel.InnerWidth = 1", "Bevel.InnerStyle = kxLowered", "Bevel.InnerSpace = 1",
        "Bevel.OuterShadow = clBtnShadow", "Bevel.OuterHighlight = clBtnHighlight",
        "Bevel.OuterStyle = kxRaised", "Bevel.OuterOutline = osOuter", "GraphPal.Low = clGreen"})
    EXPECT_THAT(text, HasSubstr(always));
  // Changed values are written, values at their declared default are not.
  EXPECT_THAT(text, HasSubstr("Bevel.OuterWidth = 3"));
  EXPECT_THAT(text, HasSubstr("Bevel.InnerColor = $00584E4E"));
  EXPECT_THAT(text, HasSubstr("GraphPal.High = clRed"));
  for (const char* omitted :
       {"BorderWidth", "BorderColor", "InnerOutline", "OuterSpace", "OuterColor", "Visible"})
    EXPECT_THAT(text, Not(HasSubstr(omitted)));

  std::unique_ptr<TBevelHolder> copy(host::ReadFormAs<TBevelHolder>(text, "holder.kxf"));
  for (const host::TPropInfo& p : TKxBevel::PublishedProperties().Properties())
    EXPECT_EQ(p.GetOrd(copy->Bevel()), p.GetOrd(holder.Bevel())) << p.Name;
  EXPECT_EQ(copy->GraphPal()->Low(), holder.GraphPal()->Low());
  EXPECT_EQ(copy->GraphPal()->High(), holder.GraphPal()->High());
  EXPECT_EQ(host::WriteForm(copy.get()), text);
  host::UnRegisterClass(TBevelHolder::StaticClass());
}

}  // namespace
}  // namespace kx
