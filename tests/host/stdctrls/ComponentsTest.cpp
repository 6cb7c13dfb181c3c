// TTimer, TApplicationEvents and the message form.
#include "host/controls/ExtCtrls.h"
#include "host/controls/MessageForm.h"
#include "host/controls/StdCtrls.h"
#include "host/platform/VirtualKeys.h"
#include "host/system/Dialogs.h"
#include "host/threads/Timers.h"
#include "host/threads/UtilityWindow.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class ComponentsTest : public HeadlessTest {};

TEST_F(ComponentsTest, TimerTicksThroughTheLoopAndStops) {
  Pump();  // the loop runs on the headless clock from here on
  Headless().SetManualClock(true);
  struct RealClockAgain {
    ~RealClockAgain() { Headless().SetManualClock(false); }
  } realClockAgain;
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(100);
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  });
  Headless().AdvanceClock(99);
  Pump();
  EXPECT_EQ(ticks, 0);
  Headless().AdvanceClock(1);
  Pump();
  EXPECT_EQ(ticks, 1);
  Headless().AdvanceClock(100);
  Pump();
  EXPECT_EQ(ticks, 2);
  timer.SetEnabled(false);
  Headless().AdvanceClock(500);
  Pump();
  EXPECT_EQ(ticks, 2);
}

TEST_F(ComponentsTest, TimerCreationFailureRaisesOutOfResources) {
  const int limit = TimerLimit();
  SetTimerLimit(TimerCount());
  TTimer timer(nullptr);
  try {
    timer.SetOnTimer([](TObject*) {});
    ADD_FAILURE() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Not enough timers available");
  }
  SetTimerLimit(limit);
  timer.SetEnabled(false);
  timer.SetEnabled(true);  // a timer is available again
}

TEST_F(ComponentsTest, ApplicationEventsChainNewestFirstAndRestoreTheApplicationsHandlers) {
  std::vector<std::string> log;
  Application->SetOnIdle([&](TObject*, bool&) { log.push_back("app"); });
  {
    TApplicationEvents first(nullptr), second(nullptr);
    first.SetOnIdle([&](TObject*, bool& done) {
      log.push_back("first");
      done = false;
    });
    second.SetOnIdle([&](TObject*, bool&) { log.push_back("second"); });
    first.SetOnException([&](TObject*, Exception* e) { log.push_back("first " + e->Message()); });
    bool done = true;
    Application->OnIdle()(Application, done);
    EXPECT_FALSE(done);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));

    log.clear();
    HWND thrower = AllocateHWnd([](TMessage&) { throw EInvalidOperation("boom"); });
    PostMessage(thrower, WM_USER);
    Pump();
    DeallocateHWnd(thrower);
    EXPECT_EQ(log, (std::vector<std::string>{"first boom"}));

    log.clear();
    second.SetOnException([&](TObject*, Exception*) {
      log.push_back("second");
      second.CancelDispatch();
    });
    try {
      throw EInvalidOperation("x");
    } catch (...) {
      Application->HandleException(nullptr);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));
  }
  log.clear();
  bool done = true;
  Application->OnIdle()(Application, done);
  EXPECT_EQ(log, (std::vector<std::string>{"app"}));
  Application->SetOnIdle(nullptr);
}

class MessageFormTest : public HeadlessTest {
 protected:
  // Runs act once the message form is up.
  void WhenShown(std::function<void(TCustomForm*)> act) {
    poster_ = AllocateHWnd([act](TMessage& m) {
      if (m.Msg == WM_USER) act(Application->ModalForm());
    });
    PostMessage(poster_, WM_USER);
  }
  void TearDown() override {
    if (poster_) DeallocateHWnd(poster_);
    HeadlessTest::TearDown();
  }
  HWND poster_ = nullptr;
};

TEST_F(MessageFormTest, ClosesOnOkCentredWithTheText) {
  std::string text;
  TRect bounds;
  WhenShown([&](TCustomForm* form) {
    ASSERT_NE(form, nullptr);
    bounds = form->BoundsRect();
    TButton* ok = nullptr;
    for (int i = 0; i < form->ControlCount(); ++i) {
      if (auto* l = dynamic_cast<TLabel*>(form->Controls(i))) text = l->Caption();
      if (auto* b = dynamic_cast<TButton*>(form->Controls(i))) ok = b;
    }
    ASSERT_NE(ok, nullptr);
    const TPoint p = ok->ClientToScreen(Point(ok->Width() / 2, ok->Height() / 2));
    Headless().InjectClick(p.X, p.Y);
  });
  ShowMessageForm("Saved.");
  EXPECT_EQ(text, "Saved.");
  EXPECT_NEAR(bounds.Left + bounds.Width() / 2, 1920 / 2, 1);
  EXPECT_NEAR(bounds.Top + bounds.Height() / 2, 1080 / 2, 1);
  EXPECT_EQ(Application->ModalForm(), nullptr);
}

TEST_F(MessageFormTest, ClosesOnEnter) {
  WhenShown([](TCustomForm*) { Headless().InjectKeyPress(VK_RETURN); });
  ShowMessageForm("Done");
  EXPECT_EQ(Application->ModalForm(), nullptr);
}

TEST_F(MessageFormTest, HookReplacesTheForm) {
  std::vector<std::string> shown;
  TShowMessageHook old = SetShowMessageHook([&](const std::string& m) { shown.push_back(m); });
  ShowMessage("hello");
  SetShowMessageHook(old);
  EXPECT_EQ(shown, (std::vector<std::string>{"hello"}));
}

}  // namespace
}  // namespace host::testing
