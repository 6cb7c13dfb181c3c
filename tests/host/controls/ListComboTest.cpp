// List box and combo box: pointer and keyboard selection, events, drop-down.
#include "host/controls/StdCtrls.h"
#include "host/platform/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class ListComboTest : public HeadlessTest {
 protected:
  // A list box at (10, 10) of a form at (100, 100), rows of 16 pixels
  // starting 2 pixels inside: row r's middle is at screen y 120 + 16 r.
  TListBox* MakeList(int items) {
    TForm* form = MakeForm(100, 100, 200, 150);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 120, 100);
    for (int i = 0; i < items; ++i) list->Items()->Add("Item " + std::to_string(i));
    list->SetOnMouseDown(
        [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); });
    list->SetOnClick([this](TObject*) { log.push_back("click"); });
    list->SetOnMouseUp(
        [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); });
    form->Show();
    Pump();
    return list;
  }
  static int RowY(int row) { return 120 + 16 * row; }
  std::vector<std::string> log;
};

TEST_F(ListComboTest, SelectionFollowsTheHeldButtonThenClickBeforeMouseUp) {
  TListBox* list = MakeList(5);
  Headless().InjectMouseMove(130, RowY(0));
  Headless().InjectMouseDown();
  Pump();
  EXPECT_EQ(list->ItemIndex(), 0);
  Headless().InjectMouseMove(130, RowY(3));
  Pump();
  EXPECT_EQ(list->ItemIndex(), 3);
  Headless().InjectMouseMove(130, RowY(2));
  Headless().InjectMouseUp();
  Pump();
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "click", "up"}));
  EXPECT_TRUE(list->Focused());
}

TEST_F(ListComboTest, ArrowKeysMoveTheSelectionClickAndScroll) {
  TListBox* list = MakeList(20);
  Headless().InjectClick(130, RowY(0));
  Pump();
  log.clear();
  Headless().InjectKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
  Headless().InjectKeyPress(VK_UP);
  Headless().InjectKeyPress(VK_UP);  // already at the top: nothing
  Pump();
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(log.size(), 2u);
  Headless().InjectKeyPress(VK_END);
  Pump();
  EXPECT_EQ(list->ItemIndex(), 19);
  EXPECT_EQ(list->TopIndex(), 20 - list->VisibleRows());
  Headless().InjectKeyPress(VK_HOME);
  Pump();
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ListComboTest, DraggingBelowTheListScrollsIt) {
  TListBox* list = MakeList(20);
  Headless().InjectMouseMove(130, RowY(0));
  Headless().InjectMouseDown();
  for (int i = 0; i < 8; ++i) {
    Headless().InjectMouseMove(130, 300 + i);
    Pump();
  }
  Headless().InjectMouseUp();
  Pump();
  EXPECT_GT(list->TopIndex(), 0);
  EXPECT_EQ(list->ItemIndex(), list->TopIndex() + list->VisibleRows() - 1);
}

TEST_F(ListComboTest, PressOnTheScrollBarTrackPagesWithoutSelecting) {
  TListBox* list = MakeList(20);
  ASSERT_EQ(list->VisibleRows(), 6);
  const int trackX = 100 + 10 + 120 - 2 - 8;  // the middle of the bar
  Headless().InjectClick(trackX, 200);        // below the thumb
  Pump();
  EXPECT_EQ(list->TopIndex(), 6);
  Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
  Headless().InjectClick(trackX, 114);  // above it
  Pump();
  EXPECT_EQ(list->TopIndex(), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListComboTest, ItemIndexOutOfRangeSelectsNothingAndFollowsDeletion) {
  TListBox list(nullptr);
  list.Items()->Add("a");
  list.Items()->Add("b");
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(1);
  list.Items()->Delete(1);
  EXPECT_EQ(list.ItemIndex(), -1);
}

class ComboTest : public ListComboTest {
 protected:
  TComboBox* MakeCombo(TComboBoxStyle style) {
    TForm* form = MakeForm(100, 100, 250, 200);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 145, 21);
    combo->SetStyle(style);
    for (const char* s : {"Apple", "Banana", "Cherry", "Blueberry"}) combo->Items()->Add(s);
    combo->SetOnChange([this, combo](TObject*) { log.push_back(combo->Text()); });
    form->Show();
    Pump();
    return combo;
  }
};

TEST_F(ComboTest, DropDownAndPickWithThePointer) {
  TComboBox* combo = MakeCombo(csDropDown);
  Headless().InjectClick(100 + 10 + 140, 120);  // the button
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  TComboDropDown* drop = combo->DropDownForm();
  EXPECT_EQ(drop->Top(), 100 + 10 + 21);
  // The third row of the list (rows of 16 inside a 2-pixel frame).
  Headless().InjectClick(drop->Left() + 20, drop->Top() + 2 + 16 * 2 + 8);
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Cherry");
  EXPECT_EQ(log, (std::vector<std::string>{"Cherry"}));
}

TEST_F(ComboTest, KeysInTheListThenEnterTakeTheItem) {
  TComboBox* combo = MakeCombo(csDropDownList);
  Headless().InjectClick(130, 120);  // anywhere on a list-only combo box
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  Headless().InjectKeyPress(VK_DOWN);
  Headless().InjectKeyPress(VK_DOWN);
  Pump();
  EXPECT_TRUE(log.empty()) << "moving inside the open list changes nothing yet";
  Headless().InjectKeyPress(VK_RETURN);
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "Banana");
  // Escape closes without taking the item.
  combo->SetDroppedDown(true);
  Headless().InjectKeyPress(VK_DOWN);
  Headless().InjectKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "Banana");
  EXPECT_EQ(log, (std::vector<std::string>{"Banana"}));
}

TEST_F(ComboTest, TypingEditsTheTextAndSelectsAMatchingItem) {
  TComboBox* combo = MakeCombo(csDropDown);
  combo->SetFocus();
  Headless().InjectChar("Cherr");
  Pump();
  EXPECT_EQ(combo->Text(), "Cherr");
  EXPECT_EQ(combo->ItemIndex(), -1);
  Headless().InjectChar("y");
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 2);
  Headless().InjectKeyPress(VK_BACK);
  Pump();
  EXPECT_EQ(combo->Text(), "Cherr");
  EXPECT_EQ(log.size(), 7u);  // one OnChange per typed or deleted character
}

TEST_F(ComboTest, TypedLetterCyclesThroughMatchingItemsOfAListOnlyCombo) {
  TComboBox* combo = MakeCombo(csDropDownList);
  combo->SetFocus();
  Headless().InjectChar("b");
  Pump();
  EXPECT_EQ(combo->Text(), "Banana");
  Headless().InjectChar("b");
  Pump();
  EXPECT_EQ(combo->Text(), "Blueberry");
  Headless().InjectChar("x");  // no such item: nothing
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"Banana", "Blueberry"}));
}

}  // namespace
}  // namespace host::testing
