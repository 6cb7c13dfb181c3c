// Collections in form files: the items a component owns, written after its
// published properties as < item … end >, read back into the items it has,
// and kept out of its published list.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"

namespace host {
namespace {

class TSampleItem : public TObject {
  HOST_CLASS(TSampleItem, TObject)
 public:
  Integer Level = 0;
  std::string Label;
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<TSampleItem>()
            .Int("Level", &TSampleItem::Level, &TSampleItem::Level, 0)
            .String("Label", &TSampleItem::Label, &TSampleItem::Label, "");
    return table;
  }
};

// Three items; Count gives how many there are, as a meter's bar count does.
class TSampleMeter : public TComponent {
  HOST_CLASS(TSampleMeter, TComponent)
 public:
  explicit TSampleMeter(TComponent* owner) : TComponent(owner) { SetCount(3); }
  Integer Count() const { return static_cast<Integer>(items_.size()); }
  void SetCount(Integer n) {
    items_.clear();
    for (Integer i = 0; i < n; ++i) items_.push_back(std::make_unique<TSampleItem>());
  }
  TSampleItem* Item(Integer i) const { return items_[i].get(); }
  static const TPublished& PublishedProperties() {
    using T = TSampleMeter;
    static const TPublished table = Publish<T>()
                                        .Int("Count", &T::Count, &T::SetCount, 3)
                                        .Storing()
                                        .Collection("Items", &T::Count, &T::Item);
    return table;
  }

 private:
  std::vector<std::unique_ptr<TSampleItem>> items_;
};

class CollectionStreaming : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterClass<TSampleMeter>(); }
};

std::string ReadError(const std::function<void()>& read) {
  try {
    read();
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST_F(CollectionStreaming, ItemsAreWrittenAfterThePublishedPropertiesAndReadBack) {
  TSampleMeter meter(nullptr);
  meter.SetName("M");
  meter.SetCount(4);
  meter.Item(1)->Level = -7;
  meter.Item(3)->Label = "it's";
  const std::string text = WriteForm(&meter);
  EXPECT_EQ(text,
            "object M: TSampleMeter\n"
            "  Count = 4\n"
            "  Items = <\n"
            "    item\n"
            "    end\n"
            "    item\n"
            "      Level = -7\n"
            "    end\n"
            "    item\n"
            "    end\n"
            "    item\n"
            "      Label = 'it''s'\n"
            "    end>\n"
            "end\n");
  std::unique_ptr<TSampleMeter> back(ReadFormAs<TSampleMeter>(text, "m.kxf"));
  ASSERT_EQ(back->Count(), 4);
  EXPECT_EQ(back->Item(1)->Level, -7);
  EXPECT_EQ(back->Item(3)->Label, "it's");
  EXPECT_EQ(WriteForm(back.get()), text);
}

TEST_F(CollectionStreaming, ItemsHoldingOnlyDefaultsAreNotWritten) {
  TSampleMeter meter(nullptr);
  EXPECT_EQ(WriteForm(&meter), "object TSampleMeter\nend\n");
}

TEST_F(CollectionStreaming, IsStoredButNotPublished) {
  const TPublished& table = TSampleMeter::PublishedProperties();
  EXPECT_EQ(table.Find("Items"), nullptr);
  ASSERT_NE(table.FindStored("items"), nullptr);
  EXPECT_EQ(table.FindStored("Items")->Kind, tkCollection);
  EXPECT_EQ(table.Properties().size(), TComponent::PublishedProperties().Properties().size() + 1);
}

TEST_F(CollectionStreaming, OneLineSetsTheItemsAsAFileWould) {
  TSampleMeter meter(nullptr);
  ReadProperty(&meter, &meter, "Items = < item Level = 5 end item Label = 'b' end >", "", 1);
  EXPECT_EQ(meter.Item(0)->Level, 5);
  EXPECT_EQ(meter.Item(1)->Label, "b");
  EXPECT_EQ(meter.Item(2)->Level, 0);
  EXPECT_EQ(WritePropertyValue(&meter, &meter, "Items"),
            "<\n  item\n    Level = 5\n  end\n  item\n    Label = 'b'\n  end\n  item\n  end>");
}

TEST_F(CollectionStreaming, BadCollectionsAreRefusedWithTheirLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object M: TSampleMeter\n  Items = <\n    item\n    end\n    item\n    end\n    item\n"
       "    end\n    item\n      Level = 1\n    end>\nend\n",
       "m.kxf:9: expected at most 3 items in Items, found 4"},
      {"object M: TSampleMeter\n  Items = <\n    item\n      Depth = 1\n    end>\nend\n",
       "m.kxf:4: expected a published property of TSampleItem, found 'Depth'"},
      {"object M: TSampleMeter\n  Items = < thing >\nend\n",
       "m.kxf:2: expected 'item' or '>', found 'thing'"},
      {"object M: TSampleMeter\n  Items = <\n    item\n      Level = 1\n",
       "m.kxf:5: expected a property or 'end' of the item of line 3, found end of file"},
      {"object M: TSampleMeter\n  Items = <\n    item\n    end\nend\n",
       "m.kxf:5: expected 'item' or '>', found 'end'"},
      {"object M: TSampleMeter\n  Items = 4\nend\n",
       "m.kxf:2: expected a collection < item … end > for Items, found 4"},
      {"object M: TSampleMeter\n  Count = < >\nend\n",
       "m.kxf:2: expected an integer for Count, found < … >"},
  };
  for (const Case& c : cases) {
    TComponent owner(nullptr);
    EXPECT_EQ(ReadError([&] { ReadForm(c.text, "m.kxf", &owner); }), c.message);
    EXPECT_EQ(owner.ComponentCount(), 0);
  }
}

}  // namespace
}  // namespace host
