#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "host/classes/TypInfo.h"
#include "host/graphics/Color.h"

using namespace host;

namespace {

HOST_ENUM(TShade, shDark, shMid, shLight)
using TShades = TSet<TShade>;

class Base : public TComponent {
  HOST_CLASS(Base, TComponent)
 public:
  using TComponent::TComponent;
  Integer Width() const { return FWidth; }
  void SetWidth(Integer v) { FWidth = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }

  static const TPublished& PublishedProperties() {
    static const TPublished table = Publish<Base>()
                                        .Int("Width", &Base::Width, &Base::SetWidth, 10)
                                        .Bool("Enabled", &Base::Enabled, &Base::SetEnabled, true)
                                        .Color("Color", &Base::Color, &Base::SetColor, 0);
    return table;
  }

 private:
  Integer FWidth = 10;
  bool FEnabled = true;
  TColor FColor = 0;
};

class Derived : public Base {
  HOST_CLASS(Derived, Base)
 public:
  using Base::Base;
  bool KxEnabled() const { return FKxEnabled; }
  void SetKxEnabled(bool v) { FKxEnabled = v; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade v) { FShade = v; }
  TShades Shades() const { return FShades; }
  void SetShades(TShades v) { FShades = v; }
  TNotifyEvent FOnChange;

  static const TPublished& PublishedProperties() {
    using T = Derived;
    static const TPublished table = Publish<T>()
                                        .Enum("Shade", &T::Shade, &T::SetShade, shMid)
                                        .Bool("Enabled", &T::KxEnabled, &T::SetKxEnabled, true)
                                        .Set("Shades", &T::Shades, &T::SetShades, TShades{shDark})
                                        .Hide("Color")
                                        .SetDefault("Width", 20)
                                        .Event("OnChange", &T::FOnChange);
    return table;
  }

 private:
  bool FKxEnabled = true;
  TShade FShade = shMid;
  TShades FShades{shDark};
};

// Declares nothing: publishes what its parent does.
class Plain : public Derived {
  HOST_CLASS(Plain, Derived)
 public:
  using Derived::Derived;
};

// Offers what it does not publish; the descendant publishes by name.
class Offerer : public TComponent {
  HOST_CLASS(Offerer, TComponent)
 public:
  using TComponent::TComponent;
  Integer Width() const { return FWidth; }
  void SetWidth(Integer v) { FWidth = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  bool IsColorStored() const { return FWidth > 0; }
  TNotifyEvent FOnEnter, FOnExit, FOnClick;

  static const TPublished& PublishedProperties() {
    using T = Offerer;
    static const TPublished table = Publish<T>()
                                        .Offering()
                                        .Int("Width", &T::Width, &T::SetWidth, 10)
                                        .Color("Color", &T::Color, &T::SetColor, 0)
                                        .StoredWhen(&T::IsColorStored)
                                        .Event("OnExit", &T::FOnExit)
                                        .Event("OnEnter", &T::FOnEnter)
                                        .Event("OnClick", &T::FOnClick);
    return table;
  }

 private:
  Integer FWidth = 10;
  TColor FColor = 0;
};

inline constexpr std::array<std::string_view, 2> kEnterExit{"OnExit", "OnEnter"};

class Publisher : public Offerer {
  HOST_CLASS(Publisher, Offerer)
 public:
  using Offerer::Offerer;
  static const TPublished& PublishedProperties() {
    static const TPublished table = Publish<Publisher>()
                                        .Publish("Color")
                                        .Default(clRed)
                                        .StoredUnlessDefault()
                                        .Publish("Tag", "Width")
                                        .PublishEvents(kEnterExit, "OnClick");
    return table;
  }
};

std::vector<std::string> Names(const TPublished& t) {
  std::vector<std::string> out;
  for (const TPropInfo& p : t.Properties()) out.push_back(p.Name);
  return out;
}

TEST(TypInfo, InheritedEntriesFirstRedeclaredOnesMoveAndHiddenOnesGo) {
  EXPECT_EQ(Names(Base::PublishedProperties()),
            (std::vector<std::string>{"Name", "Tag", "Width", "Enabled", "Color"}));
  EXPECT_EQ(
      Names(Derived::PublishedProperties()),
      (std::vector<std::string>{"Name", "Tag", "Width", "Shade", "Enabled", "Shades", "OnChange"}));
  Plain plain(nullptr);
  EXPECT_EQ(plain.Published(), &Derived::PublishedProperties());
}

TEST(TypInfo, RedeclaredEntryUsesTheNewAccessorsAndDefaultsChangeOnlyDownstream) {
  Derived d(nullptr);
  const TPropInfo* enabled = FindPropInfo(&d, "ENABLED");
  ASSERT_NE(enabled, nullptr);
  enabled->SetOrd(&d, 0);
  EXPECT_FALSE(d.KxEnabled());
  EXPECT_TRUE(d.Base::Enabled());

  EXPECT_EQ(Base::PublishedProperties().Find("Width")->OrdDefault, 10);
  const TPropInfo* width = Derived::PublishedProperties().Find("Width");
  EXPECT_EQ(width->OrdDefault, 20);
  EXPECT_TRUE(width->IsStoredValue(&d));  // 10 differs from the declared 20
  d.SetWidth(20);
  EXPECT_FALSE(width->IsStoredValue(&d));
}

TEST(TypInfo, EnumerationsAndSetsCarryTheirValueNames) {
  Derived d(nullptr);
  const TPropInfo* shade = FindPropInfo(&d, "Shade");
  ASSERT_EQ(shade->Kind, tkEnumeration);
  EXPECT_EQ(shade->EnumType->Name(static_cast<int>(shade->GetOrd(&d))), "shMid");
  const TPropInfo* shades = FindPropInfo(&d, "Shades");
  ASSERT_EQ(shades->Kind, tkSet);
  shades->SetOrd(&d, (TShades{shMid, shLight}).Bits());
  EXPECT_EQ(d.Shades(), (TShades{shMid, shLight}));
  EXPECT_TRUE(shades->IsStoredValue(&d));
}

TEST(TypInfo, ComponentNameIsPublishedButNotStored) {
  TComponent c(nullptr);
  c.SetName("Abc");
  const TPropInfo* name = FindPropInfo(&c, "Name");
  ASSERT_NE(name, nullptr);
  EXPECT_FALSE(name->IsStoredValue(&c));
  EXPECT_EQ(name->GetStr(&c), "Abc");
  EXPECT_EQ(FindPropInfo(&c, "Nope"), nullptr);
}

TEST(TypInfo, OfferedEntriesArePublishedByNameWhereTheDescendantSays) {
  EXPECT_EQ(Names(Offerer::PublishedProperties()), (std::vector<std::string>{"Name", "Tag"}));
  EXPECT_EQ(Offerer::PublishedProperties().Find("Width"), nullptr);
  EXPECT_EQ(Offerer::PublishedProperties().Offered().size(), 5u);
  // An inherited published entry (Tag) moves to the place it is named at;
  // events come in alphabetical order whatever order they are named in.
  EXPECT_EQ(
      Names(Publisher::PublishedProperties()),
      (std::vector<std::string>{"Name", "Color", "Tag", "Width", "OnClick", "OnEnter", "OnExit"}));
  EXPECT_TRUE(Publisher::PublishedProperties().Offered().empty());
}

TEST(TypInfo, APublishedEntryKeepsItsAccessorsAndTakesTheDescendantsDefault) {
  Publisher p(nullptr);
  const TPropInfo* color = FindPropInfo(&p, "Color");
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(color->OrdDefault, clRed);
  EXPECT_EQ(Offerer::PublishedProperties().Offered()[1].OrdDefault, 0);
  color->SetOrd(&p, clBlue);
  EXPECT_EQ(p.Color(), clBlue);
  p.SetWidth(0);  // the offering class's condition would not store it
  EXPECT_TRUE(color->IsStoredValue(&p));
  EXPECT_EQ(FindPropInfo(&p, "Width")->OrdDefault, 10);
}

TEST(TypInfo, PublishingANameNobodyOffersFails) {
  EXPECT_THROW(Publish<Publisher>().Publish("Height"), EInvalidOperation);
  // Declared by the class itself, an offered name is no longer on offer.
  const TPublished own = Publish<Publisher>().Int("Width", &Publisher::Width, &Publisher::SetWidth);
  EXPECT_FALSE(own.Find("Width")->HasDefault);
  EXPECT_EQ(own.Offered().size(), 4u);
  for (const TPropInfo& p : own.Offered()) EXPECT_NE(p.Name, "Width");
}

// A descendant whose constructor sets another text declares it as the default.
class Titled : public TComponent {
  HOST_CLASS(Titled, TComponent)
 public:
  using TComponent::TComponent;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<Titled>().String("Caption", &Titled::Caption, &Titled::SetCaption, "");
    return table;
  }

 private:
  std::string FCaption;
};

class Named : public Titled {
  HOST_CLASS(Named, Titled)
 public:
  explicit Named(TComponent* owner) : Titled(owner) { SetCaption("Orvane"); }
  static const TPublished& PublishedProperties() {
    static const TPublished table = Publish<Named>().SetDefault("Caption", "Orvane");
    return table;
  }
};

TEST(TypInfo, StringDefaultsChangeDownstream) {
  Named n(nullptr);
  const TPropInfo* caption = FindPropInfo(&n, "Caption");
  EXPECT_EQ(caption->StrDefault, "Orvane");
  EXPECT_FALSE(caption->IsStoredValue(&n));
  n.SetCaption("");
  EXPECT_TRUE(caption->IsStoredValue(&n));  // the empty text must come back
  EXPECT_EQ(Titled::PublishedProperties().Find("Caption")->StrDefault, "");
}

}  // namespace
