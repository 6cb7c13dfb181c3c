// The order of mouse events, enter/leave, capture, focus and keys.
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class InputTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm(100, 100, 200, 150);
    a = new LoggingGraphic(form, nullptr, "a", clRed, Bounds(10, 10, 40, 40));
    b = new LoggingGraphic(form, nullptr, "b", clBlue, Bounds(60, 10, 40, 40));
    for (auto [c, name] : {std::pair{a, std::string("a")}, std::pair{b, std::string("b")}}) {
      c->SetOnMouseDown([this, name = name](TObject*, TMouseButton btn, TShiftState, int x, int y) {
        log.push_back(name + " down " + std::to_string(btn) + " " + std::to_string(x) + "," +
                      std::to_string(y));
      });
      c->SetOnMouseUp([this, name = name](TObject*, TMouseButton btn, TShiftState, int x, int y) {
        log.push_back(name + " up " + std::to_string(btn) + " " + std::to_string(x) + "," +
                      std::to_string(y));
      });
      c->SetOnClick([this, name = name](TObject*) { log.push_back(name + " click"); });
      c->SetOnDblClick([this, name = name](TObject*) { log.push_back(name + " dblclick"); });
      c->SetOnMouseEnter([this, name = name](TObject*) { log.push_back(name + " enter"); });
      c->SetOnMouseLeave([this, name = name](TObject*) { log.push_back(name + " leave"); });
    }
    form->Show();
    Pump();
  }

  void Move(int x, int y) { Headless().InjectMouseMove(100 + x, 100 + y); }

  TForm* form = nullptr;
  LoggingGraphic* a = nullptr;
  LoggingGraphic* b = nullptr;
  std::vector<std::string> log;
};

TEST_F(InputTest, LeftPressAndReleaseInsideClicksBeforeMouseUp) {
  Move(20, 20);
  Headless().InjectMouseDown();
  Move(25, 22);
  Headless().InjectMouseUp();
  Pump();
  EXPECT_EQ(log,
            (std::vector<std::string>{"a enter", "a down 0 10,10", "a click", "a up 0 15,12"}));
}

TEST_F(InputTest, ReleaseOutsideCapturedControlGivesNoClick) {
  Move(20, 20);
  Headless().InjectMouseDown();
  Move(70, 20);  // over b, but a holds the capture
  Headless().InjectMouseUp();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 0 10,10", "a leave", "b enter",
                                           "a up 0 60,10"}));
}

TEST_F(InputTest, RightButtonGivesNoClick) {
  Move(20, 20);
  Headless().InjectMouseDown(MouseButton::Right);
  Headless().InjectMouseUp(MouseButton::Right);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 1 10,10", "a up 1 10,10"}));
}

TEST_F(InputTest, SecondQuickPressIsADoubleClick) {
  Headless().InjectClick(120, 120);
  Headless().InjectClick(120, 120);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 0 10,10", "a click", "a up 0 10,10",
                                           "a dblclick", "a down 0 10,10", "a up 0 10,10"}));
}

TEST_F(InputTest, EnterAndLeaveFollowThePointer) {
  Move(20, 20);
  Move(70, 20);
  Move(150, 120);  // the form itself
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter", "b leave"}));
}

TEST_F(InputTest, CursorOfTheControlUnderThePointer) {
  b->SetCursor(crHandPoint);
  form->SetCursor(crSizeWE);
  Move(70, 20);
  Pump();
  auto* window = Headless().WindowAt({170, 120});
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Cursor(), SystemCursor::Hand);
  Move(20, 20);  // a has crDefault: the parent's cursor shows
  Pump();
  EXPECT_EQ(window->Cursor(), SystemCursor::SizeWE);
}

TEST_F(InputTest, DisabledControlLeavesThePressToItsParent) {
  a->SetEnabled(false);
  std::vector<std::string> formLog;
  form->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int x, int y) {
    formLog.push_back(std::to_string(x) + "," + std::to_string(y));
  });
  Headless().InjectClick(120, 120);
  Pump();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(formLog, (std::vector<std::string>{"20,20"}));
}

class FocusTest : public HeadlessTest {
 protected:
  // A focusable windowed control that notes what happens to it.
  class Edit : public TCustomControl {
   public:
    Edit(TWinControl* parent, std::vector<std::string>* log, std::string name, int left)
        : TCustomControl(parent) {
      SetParent(parent);
      SetBounds(left, 10, 50, 20);
      SetTabStop(true);
      SetOnEnter([log, name](TObject*) { log->push_back(name + " enter"); });
      SetOnExit([log, name](TObject*) { log->push_back(name + " exit"); });
      SetOnKeyDown([log, name](TObject*, Word& key, TShiftState) {
        log->push_back(name + " key " + std::to_string(key));
      });
      SetOnKeyPress([log, name](TObject*, char& ch) {
        log->push_back(name + " char " + std::string(1, ch));
      });
    }
  };
};

TEST_F(FocusTest, FocusMovesWithSetFocusAndTab) {
  std::vector<std::string> log;
  TForm* form = MakeForm();
  auto* one = new Edit(form, &log, "one", 10);
  auto* two = new Edit(form, &log, "two", 70);
  form->Show();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"one enter"}));  // the first tab stop
  EXPECT_TRUE(one->Focused());
  log.clear();
  Headless().InjectKeyDown(VK_TAB);
  Headless().InjectKeyUp(VK_TAB);
  Pump();
  EXPECT_TRUE(two->Focused());
  Headless().InjectChar("x");
  Pump();
  one->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"one key 9", "one exit", "two enter", "two char x",
                                           "two exit", "one enter"}));
  EXPECT_EQ(form->ActiveControl(), one);
}

TEST_F(FocusTest, HidingTheFocusedControlDropsTheFocus) {
  std::vector<std::string> log;
  TForm* form = MakeForm();
  auto* one = new Edit(form, &log, "one", 10);
  form->Show();
  Pump();
  one->Hide();
  EXPECT_FALSE(one->Focused());
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

}  // namespace
}  // namespace host::testing
