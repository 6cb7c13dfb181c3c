#include <gtest/gtest.h>

#include "host/classes/List.h"
#include "host/classes/Strings.h"

using namespace host;

namespace {

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Strings(i));
  return out;
}

TEST(StringList, EditingKeepsStringsAndObjectsTogether) {
  TStringList list;
  TPersistent a, b;
  list.Add("one");
  list.AddObject("two", &a);
  list.Insert(0, "zero");
  list.InsertObject(3, "three", &b);
  list.Move(3, 1);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"zero", "three", "one", "two"}));
  EXPECT_EQ(list.Objects(1), &b);
  EXPECT_EQ(list.IndexOfObject(&a), 3);
  list.Exchange(0, 3);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"two", "three", "one", "zero"}));
  EXPECT_EQ(list.Objects(0), &a);
  list.Delete(1);
  EXPECT_EQ(list.IndexOf("ONE"), 1);
  EXPECT_EQ(list.IndexOf("three"), -1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexesOutOfBoundsRaiseTheListError) {
  TStringList list;
  list.Add("a");
  for (int bad : {-1, 1}) {
    try {
      list.Strings(bad);
      FAIL() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_EQ(Items(list), std::vector<std::string>{"a"});
}

TEST(StringList, TextAndCommaTextRoundTrip) {
  struct Case {
    const char* Text;
    std::vector<std::string> Lines;
  };
  const Case texts[] = {
      {"a\nb\n", {"a", "b"}}, {"a\r\nb", {"a", "b"}}, {"a\r\rb\n", {"a", "", "b"}}, {"", {}}};
  TStringList list;
  for (const Case& c : texts) {
    list.SetText(c.Text);
    EXPECT_EQ(Items(list), c.Lines) << c.Text;
  }
  list.SetText("plain\nwith blank\nwith,comma\nsay \"hi\"\n\n");
  const std::string comma = list.CommaText();
  EXPECT_EQ(comma, "plain,\"with blank\",\"with,comma\",\"say \"\"hi\"\"\",\"\"");
  TStringList back;
  back.SetCommaText(comma);
  EXPECT_TRUE(back.Equals(list));
  back.SetCommaText("a b,  c ,\"d e\",");
  EXPECT_EQ(Items(back), (std::vector<std::string>{"a", "b", "c", "d e", ""}));
}

TEST(StringList, SortedListsKeepOrderAndFindWithoutRegardToCase) {
  TStringList list;
  list.Add("pear");
  list.Add("Apple");
  list.SetSorted(true);
  list.Add("banana");
  list.Add("APPLE");  // ignored: already there
  EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "banana", "pear"}));
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("apple"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add("apple");
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, ChangeEventsFireOncePerBatch) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changes;
  };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  TStringList other;
  other.SetText("x\ny\nz\n");
  list.Assign(&other);  // clear + three adds
  EXPECT_EQ(changes, 2);
  list.BeginUpdate();
  list.Add("1");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"y", "z", "1"}));
}

TEST(StringList, AssignFromAnotherKindIsAConversionError) {
  TStringList list;
  TPersistent other;
  EXPECT_THROW(list.Assign(&other), EConvertError);
}

TEST(List, KeepsPointersInOrderAndChecksIndexes) {
  TList list;
  int a, b, c;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.IndexOf(&b), 1);
  list.Move(0, 2);
  EXPECT_EQ(list.Items(2), &a);
  list.Exchange(0, 1);
  EXPECT_EQ(list.First(), &c);
  EXPECT_EQ(list.Remove(&c), 0);
  EXPECT_EQ(list.Remove(&c), -1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_THROW(list.Items(2), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
}

}  // namespace
