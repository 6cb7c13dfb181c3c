#include "kxpack/foundations/KxClasses.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/classes/TypInfo.h"
#include "host/graphics/Color.h"

namespace kx {
namespace {

using host::clBtnFace;
using host::clBtnHighlight;
using host::clBtnShadow;
using host::TRect;

// Counts the OnChange calls of a sub-object.
struct ChangeCounter {
  explicit ChangeCounter(TKxPersistent& obj) {
    obj.OnChange = [this](host::TObject*) { ++count; };
  }
  int count = 0;
};

TEST(KxBevel, DefaultsAndWhichOnesAreAlwaysStored) {
  TKxBevel bevel;
  struct Row {
    const char* name;
    int64_t value;
    bool hasDefault;
  };
  const Row rows[] = {
      {"BorderWidth", 0, true},
      {"BorderColor", clBtnFace, true},
      {"InnerShadow", clBtnShadow, false},
      {"InnerHighlight", clBtnHighlight, false},
      {"InnerWidth", 1, false},
      {"InnerStyle", kxLowered, false},
      {"InnerOutline", osNone, true},
      {"InnerSpace", 1, false},
      {"InnerColor", clBtnFace, false},
      {"OuterShadow", clBtnShadow, false},
      {"OuterHighlight", clBtnHighlight, false},
      {"OuterWidth", 1, true},
      {"OuterStyle", kxRaised, false},
      {"OuterOutline", osOuter, false},
      {"OuterSpace", 0, true},
      {"OuterColor", clBtnFace, true},
      {"Visible", 1, true},
  };
  const auto& props = TKxBevel::PublishedProperties().Properties();
  ASSERT_EQ(props.size(), std::size(rows));
  for (size_t i = 0; i < props.size(); ++i) {
    const host::TPropInfo& p = props[i];
    EXPECT_EQ(p.Name, rows[i].name) << "declaration order";
    EXPECT_EQ(p.GetOrd(&bevel), rows[i].value) << p.Name;
    EXPECT_EQ(p.HasDefault, rows[i].hasDefault) << p.Name;
    if (p.HasDefault) {
      EXPECT_EQ(p.OrdDefault, rows[i].value) << p.Name;
    }
  }
}

TEST(KxBevel, SettersFireOnlyOnChangeAndClampWidths) {
  TKxBevel bevel;
  ChangeCounter changes(bevel);
  bevel.SetInnerWidth(1);
  bevel.SetOuterStyle(kxRaised);
  bevel.SetBorderColor(clBtnFace);
  EXPECT_EQ(changes.count, 0);
  bevel.SetInnerWidth(3);
  bevel.SetVisible(false);
  EXPECT_EQ(changes.count, 2);

  bevel.SetInnerWidth(0);
  EXPECT_EQ(bevel.InnerWidth(), 1);
  bevel.SetOuterSpace(-4);
  EXPECT_EQ(bevel.OuterSpace(), 0);
  bevel.SetBorderWidth(-1);
  EXPECT_EQ(bevel.BorderWidth(), 0);
}

TEST(KxBevel, AssignFiresOnceEvenWhenNothingDiffers) {
  TKxBevel source, dest;
  ChangeCounter changes(dest);
  dest.Assign(&source);
  EXPECT_EQ(changes.count, 1);

  source.SetBorderWidth(2);
  source.SetInnerStyle(kxRaised);
  source.SetOuterColor(0x123456);
  source.SetVisible(false);
  dest.Assign(&source);
  EXPECT_EQ(changes.count, 2);
  for (const host::TPropInfo& p : TKxBevel::PublishedProperties().Properties())
    EXPECT_EQ(p.GetOrd(&dest), p.GetOrd(&source)) << p.Name;

  // The caller keeps its object; later changes to it do not reach dest.
  source.SetBorderWidth(5);
  EXPECT_EQ(dest.BorderWidth(), 2);

  TKxGraphPal pal;
  try {
    dest.Assign(&pal);
    FAIL() << "no exception";
  } catch (const host::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TKxGraphPal to a TKxBevel");
  }
  EXPECT_EQ(changes.count, 2);
}

TEST(KxBevel, VisibleAreaShrinksByTheThickness) {
  struct Case {
    const char* what;
    void (*setup)(TKxBevel&);
    int thickness;
  };
  const Case cases[] = {
      {"defaults: outline, raised ring, lowered ring, band", [](TKxBevel&) {}, 4},
      {"invisible", [](TKxBevel& b) { b.SetVisible(false); }, 0},
      {"nothing at all",
       [](TKxBevel& b) {
         b.SetInnerStyle(kxNone);
         b.SetOuterStyle(kxNone);
         b.SetOuterOutline(osNone);
         b.SetInnerSpace(0);
       },
       0},
      {"every part",
       [](TKxBevel& b) {
         b.SetBorderWidth(2);
         b.SetInnerOutline(osInner);
         b.SetOuterWidth(3);
         b.SetInnerWidth(2);
         b.SetOuterSpace(1);
         b.SetInnerSpace(4);
       },
       2 + 1 + 3 + 1 + 1 + 2 + 4},
  };
  for (const Case& c : cases) {
    TKxBevel bevel;
    c.setup(bevel);
    TRect r{10, 20, 110, 220};
    bevel.GetVisibleArea(r);
    const int t = c.thickness;
    EXPECT_EQ(r, (TRect{10 + t, 20 + t, 110 - t, 220 - t})) << c.what;
    EXPECT_EQ(bevel.Thickness(), t) << c.what;
  }
}

TEST(KxPersistent, UnmatchedEndUpdateStillFires) {
  TKxGraphPal pal;
  ChangeCounter changes(pal);
  pal.EndUpdate();
  EXPECT_EQ(changes.count, 1);
  pal.BeginUpdate();
  pal.SetLow(1);
  pal.SetHigh(2);
  EXPECT_EQ(changes.count, 1);
  pal.EndUpdate();  // back at 0: fires, and a stray EndUpdate did not leave it below 0
  EXPECT_EQ(changes.count, 2);
}

TEST(KxGraphPal, DefaultsColorsAndAssign) {
  TKxGraphPal pal;
  EXPECT_EQ(pal.Low(), 0x008000);
  EXPECT_EQ(pal.High(), 0x00FF00);
  EXPECT_EQ(pal.GetColors(-1), pal.Low());
  EXPECT_EQ(pal.GetColors(0), pal.Low());
  EXPECT_EQ(pal.GetColors(1), pal.High());
  EXPECT_EQ(pal.GetColors(5), pal.High());

  for (const host::TPropInfo& p : TKxGraphPal::PublishedProperties().Properties())
    EXPECT_FALSE(p.HasDefault) << p.Name << " is always stored";

  TKxGraphPal other;
  other.SetLow(0x000080);
  other.SetHigh(0x0000FF);
  ChangeCounter changes(pal);
  pal.Assign(&other);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(pal.Low(), 0x000080);
  EXPECT_EQ(pal.High(), 0x0000FF);
}

// A collection that records its Update calls.
class RecordingCollection : public TKxCollection {
 public:
  std::vector<TKxCollectionItem*> updates;

 protected:
  void Update(TKxCollectionItem* Item) override { updates.push_back(Item); }
};

class TouchableItem : public TKxCollectionItem {
 public:
  using TKxCollectionItem::TKxCollectionItem;
  void Touch(bool all) { Changed(all); }
};

TEST(KxCollection, ItemsKeepTheIndexTheyWereAddedAt) {
  RecordingCollection list;
  auto* a = new TouchableItem(&list);
  auto* b = new TouchableItem(&list);
  auto* c = new TouchableItem(&list);
  EXPECT_EQ(a->Index(), 0);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetItem(2), c);
  EXPECT_THROW(list.GetItem(3), host::EListError);
  EXPECT_THROW(list.GetItem(-1), host::EListError);

  delete b;  // leaves the list; the others are not renumbered
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItem(1), c);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_TRUE(list.updates.empty()) << "adding and removing notify nothing";

  RecordingCollection other;
  a->SetCollection(&other);
  EXPECT_EQ(a->Collection(), &other);
  EXPECT_EQ(a->Index(), 0);
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(KxCollection, ItemChangesReachUpdateOutsideBeginEnd) {
  RecordingCollection list;
  auto* a = new TouchableItem(&list);
  a->Touch(false);
  a->Touch(true);
  EXPECT_THAT(list.updates, ::testing::ElementsAre(a, nullptr));

  list.updates.clear();
  list.BeginUpdate();
  a->Touch(false);
  EXPECT_TRUE(list.updates.empty());
  list.EndUpdate();
  EXPECT_THAT(list.updates, ::testing::ElementsAre(nullptr));
}

TEST(KxCollection, ClearIssuesOneUpdateAndDestructionNone) {
  auto* list = new RecordingCollection;
  list->Clear();
  EXPECT_TRUE(list->updates.empty()) << "clearing an empty list does nothing";
  for (int i = 0; i < 3; ++i) new TouchableItem(list);
  list->Clear();
  EXPECT_THAT(list->updates, ::testing::ElementsAre(nullptr));
  EXPECT_EQ(list->GetCount(), 0);

  // A stray EndUpdate does not swallow the updates that follow.
  list->updates.clear();
  list->EndUpdate();
  auto* item = new TouchableItem(list);
  item->Touch(false);
  EXPECT_THAT(list->updates, ::testing::ElementsAre(nullptr, item));

  // Destroying the collection frees its items without any Update: a recorder
  // outside the object sees what happens while it goes.
  struct Watched : RecordingCollection {
    int* calls;
    explicit Watched(int* c) : calls(c) {}
    void Update(TKxCollectionItem*) override { ++*calls; }
  };
  int calls = 0;
  auto* watched = new Watched(&calls);
  for (int i = 0; i < 3; ++i) new TouchableItem(watched);
  delete watched;
  EXPECT_EQ(calls, 0);
  delete list;
}

}  // namespace
}  // namespace kx
