// A form driven from the outside: input through the platform, virtual
// time for timers and workers, the wall clock, properties and calls.
#include "host/testing/Session.h"

#include <atomic>
#include <chrono>

#include "host/base/DateTime.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/controls/Panels.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/Timer.h"
#include "host/threads/KernelEvents.h"
#include "host/threads/Threads.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

using kx::testing::Session;

// A form whose handlers note their calls.
class TSessionForm : public TForm {
  HOST_CLASS(TSessionForm, TForm)
 public:
  using TForm::TForm;
  std::vector<std::string> Log;
  int Ticks = 0;
  void BoxMouseDown(TObject*, TMouseButton, TShiftState, int32_t X, int32_t Y) {
    Log.push_back("MouseDown " + std::to_string(X) + "," + std::to_string(Y));
  }
  void BoxMouseUp(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    Log.push_back("MouseUp");
  }
  void BoxClick(TObject*) { Log.push_back("Click"); }
  void BoxDblClick(TObject*) { Log.push_back("DblClick"); }
  void TimerTick(TObject*) { ++Ticks; }
  static const TPublished& PublishedProperties() {
    using T = TSessionForm;
    static const TPublished table = Publish<T>()
                                        .Method("BoxMouseDown", &T::BoxMouseDown)
                                        .Method("BoxMouseUp", &T::BoxMouseUp)
                                        .Method("BoxClick", &T::BoxClick)
                                        .Method("BoxDblClick", &T::BoxDblClick)
                                        .Method("TimerTick", &T::TimerTick);
    return table;
  }
};

constexpr const char* kFormText =
    "object F: TSessionForm\n"
    "  Left = 100\n"
    "  Top = 80\n"
    "  Width = 200\n"
    "  Height = 150\n"
    "  Color = clWhite\n"
    "  object Tick: TTimer\n"
    "    Interval = 1000\n"
    "    OnTimer = TimerTick\n"
    "  end\n"
    "  object Box: TPanel\n"
    "    Left = 20\n"
    "    Top = 30\n"
    "    Width = 60\n"
    "    Height = 40\n"
    "    Color = clRed\n"
    "    Caption = ''\n"
    "    OnClick = BoxClick\n"
    "    OnDblClick = BoxDblClick\n"
    "    OnMouseDown = BoxMouseDown\n"
    "    OnMouseUp = BoxMouseUp\n"
    "  end\n"
    "end\n";

class SessionTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterClass<TSessionForm>();
    form_ = ReadFormAs<TSessionForm>(kFormText, "session.kxf");
    session_ = std::make_unique<Session>(form_);
  }
  void TearDown() override {
    session_.reset();
    form_->Free();
    HeadlessTest::TearDown();
  }
  TSessionForm* form_ = nullptr;
  std::unique_ptr<Session> session_;
};

TEST_F(SessionTest, AClickInsideAControlRunsMouseDownClickMouseUp) {
  session_->Click(25, 35);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"MouseDown 5,5", "Click", "MouseUp"}));
}

TEST_F(SessionTest, ADoubleClickIsOneClickThenTheDoubleClick) {
  session_->DblClick(25, 35);
  // As the host does: the second press fires DblClick before its MouseDown.
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"MouseDown 5,5", "Click", "MouseUp", "DblClick",
                                                  "MouseDown 5,5", "MouseUp"}));
  // Clicks further apart in time than a double click are two clicks.
  form_->Log.clear();
  session_->Click(25, 35);
  session_->Wait(HeadlessPlatform::kDoubleClickMs + 1);
  session_->Click(25, 35);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"MouseDown 5,5", "Click", "MouseUp",
                                                  "MouseDown 5,5", "Click", "MouseUp"}));
}

TEST_F(SessionTest, TimersTickExactlyAsOftenAsTheTimeWaited) {
  session_->Wait(5000);
  EXPECT_EQ(form_->Ticks, 5);
  session_->Wait(999);
  EXPECT_EQ(form_->Ticks, 5);
  session_->Wait(1);
  EXPECT_EQ(form_->Ticks, 6);
}

TEST_F(SessionTest, PropertiesReadAsTheWriterWritesThemAndSetFromFormText) {
  EXPECT_EQ(session_->Get("Box.Color"), "clRed");
  EXPECT_EQ(session_->Get("Box.Enabled"), "True");  // a default
  EXPECT_EQ(session_->Get("Form.Width"), "200");
  session_->Set("Box.Caption", "'Go'");
  EXPECT_EQ(session_->Get("Box.Caption"), "'Go'");
  session_->Set("Box.Color", "$000000FF");
  EXPECT_EQ(session_->Pixel(21, 31), 0xFF0000u);
  EXPECT_EQ(session_->Pixel(10, 10), 0xFFFFFFu);
  session_->Set("Tick.Enabled", "False");
  session_->Wait(3000);
  EXPECT_EQ(form_->Ticks, 0);
}

TEST_F(SessionTest, CallsRunTheMethodsClassesOfferToScripts) {
  session_->Call("Box.Click");
  EXPECT_EQ(form_->Log, std::vector<std::string>{"Click"});
  session_->Call("Box.Hide");
  EXPECT_EQ(session_->Get("Box.Visible"), "False");
  EXPECT_EQ(session_->Pixel(21, 31), 0xFFFFFFu);
  session_->Call("Box.Show");
  EXPECT_EQ(session_->Pixel(21, 31), 0xFF0000u);
}

struct BadCommand {
  const char* what;
  std::function<void(Session&)> run;
  const char* message;
};

TEST_F(SessionTest, BadNamesAndValuesAreReportedWithoutChangingTheForm) {
  const BadCommand cases[] = {
      {"unknown component", [](Session& s) { s.Get("Nobody.Color"); },
       "expected a component of F, found 'Nobody'"},
      {"unknown property", [](Session& s) { s.Get("Box.Colour"); },
       "expected a published property of TPanel, found 'Colour'"},
      {"no property", [](Session& s) { s.Get("Box"); }, "expected COMPONENT.NAME, found 'Box'"},
      {"wrong kind", [](Session& s) { s.Set("Box.Width", "'wide'"); },
       "expected an integer for Width, found 'wide'"},
      {"unknown call", [](Session& s) { s.Call("Box.Explode"); },
       "expected a method TPanel offers to scripts, found 'Explode'"},
      {"outside", [](Session& s) { s.Pixel(200, 0); },
       "expected a point inside the form's 200 x 150 pixels, found 200 0"},
  };
  for (const BadCommand& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.run(*session_);
      ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  EXPECT_EQ(session_->Get("Box.Width"), "60");
}

TEST_F(SessionTest, APanelDragMovesTheFormByTheDelta) {
  auto* grip = new SysCommandArea(form_, 0xF012);
  grip->SetBounds(100, 0, 50, 20);
  const TRect before = form_->PlatformHandle()->Bounds();
  session_->Drag(110, 5, 150, 35);
  const TRect after = form_->PlatformHandle()->Bounds();
  EXPECT_EQ(after.Left - before.Left, 40);
  EXPECT_EQ(after.Top - before.Top, 30);
  // A press, moves and a release given one by one follow each other too.
  session_->Press(110, 5);
  session_->Move(100, 5);
  session_->Move(90, 0);
  session_->Release(90, 0);
  EXPECT_EQ(form_->PlatformHandle()->Bounds().Left - after.Left, -20);
  EXPECT_EQ(form_->PlatformHandle()->Bounds().Top - after.Top, -5);
  EXPECT_EQ(form_->Left(), form_->PlatformHandle()->Bounds().Left);
}

TEST_F(SessionTest, SettingTheWallClockThenWaitingMovesTheMinute) {
  session_->SetNow(EncodeDate(2026, 3, 14) + EncodeTime(9, 26, 53, 500));
  uint16_t h, m, s, ms;
  DecodeTime(Now(), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{9, 26, 53, 500}));
  session_->Wait(61000);
  DecodeTime(Time(), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{9, 27, 54, 500}));
  uint16_t y, mo, d;
  DecodeDate(Date(), y, mo, d);
  EXPECT_EQ((std::vector<int>{y, mo, d}), (std::vector<int>{2026, 3, 14}));
}

// A worker that waits for an event with a time-out and reports each
// time-out to the main thread.
class TTimedWorker : public TThread {
 public:
  explicit TTimedWorker(int* timeouts) : event_(CreateEvent(false, false)), timeouts_(timeouts) {}
  ~TTimedWorker() override { CloseHandle(event_); }
  void Stop() {
    Terminate();
    SetEvent(event_);
  }
  HANDLE Event() const { return event_; }
  std::atomic<int> Signals{0};

 protected:
  void Execute() override {
    while (!Terminated()) {
      if (WaitForSingleObject(event_, 1000) == WAIT_TIMEOUT)
        Synchronize([this] { ++*timeouts_; });
      else
        ++Signals;
    }
  }

 private:
  HANDLE event_;
  int* timeouts_;
};

TEST_F(SessionTest, AWorkersTimedWaitWakesOnVirtualTime) {
  int timeouts = 0;
  auto* worker = new TTimedWorker(&timeouts);
  worker->Start();
  session_->Wait(0);  // the worker reaches its wait
  session_->Wait(3500);
  EXPECT_EQ(timeouts, 3);
  EXPECT_EQ(form_->Ticks, 3);
  // A signal wakes it at once; the next time-out counts from there.
  SetEvent(worker->Event());
  session_->Settle();
  EXPECT_EQ(worker->Signals.load(), 1);
  session_->Wait(999);
  EXPECT_EQ(timeouts, 3);
  session_->Wait(1);
  EXPECT_EQ(timeouts, 4);
  // A suspended worker is settled while its time-outs pass; resumed, it
  // reports the one it woke for and waits again.
  worker->Suspend();
  session_->Wait(3000);
  EXPECT_EQ(timeouts, 4);
  worker->Resume();
  session_->Settle();
  EXPECT_EQ(timeouts, 5);
  session_->Wait(1000);
  EXPECT_EQ(timeouts, 6);
  worker->Stop();
  worker->Free();
}

// A form read after UseVirtualTime starts its timers on the virtual clock:
// however long reading it and starting the session take in real time, the
// first tick comes one whole interval after the session started.
TEST_F(SessionTest, TimersOfAFormReadAfterUseVirtualTimeCountFromTheSessionsStart) {
  session_.reset();
  form_->Free();
  Headless().SetManualClock(false);
  Session::UseVirtualTime();
  form_ = ReadFormAs<TSessionForm>(kFormText, "session.kxf");
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(5)) {
  }
  session_ = std::make_unique<Session>(form_);
  session_->Wait(999);
  EXPECT_EQ(form_->Ticks, 0);
  session_->Wait(1);
  EXPECT_EQ(form_->Ticks, 1);
}

}  // namespace
// A worker that hands call after call to the main thread never waits; each
// command still ends, with a call or more run, and a command that posts a
// message sees it handled.
TEST_F(SessionTest, AWorkerSynchronisingBackToBackLetsEachCommandEnd) {
  std::atomic<int> calls{0};
  class TBackToBack : public TThread {
   public:
    explicit TBackToBack(std::atomic<int>* calls) : calls_(calls) {}

   protected:
    void Execute() override {
      while (!Terminated()) Synchronize([this] { ++*calls_; });
    }

   private:
    std::atomic<int>* calls_;
  };
  auto* worker = new TBackToBack(&calls);
  worker->Start();
  for (int i = 1; i <= 3; ++i) {
    session_->Settle();
    EXPECT_GE(calls.load(), i);
  }
  session_->Wait(1000);
  session_->Click(25, 35);
  EXPECT_EQ(form_->Log, (std::vector<std::string>{"MouseDown 5,5", "Click", "MouseUp"}));
  worker->Free();
}

}  // namespace host::testing
