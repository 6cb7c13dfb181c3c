// What a form does as a window: minimised, maximised and restored, active
// and inactive, snapped to the work area's edges while it is moved, and what
// a press would do to it where the compositor moves windows.
#include "host/threads/UtilityWindow.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

// The headless screen less a 40-pixel task bar along the bottom.
const TRect kWorkArea = Rect(0, 0, 1920, 1040);

class WindowStateTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Headless().SetWorkArea(kWorkArea);
  }
  void TearDown() override {
    HeadlessTest::TearDown();
    Headless().SetWorkArea(Headless().ScreenBounds());
  }

  // A borderless form with a client-aligned child and a 20-pixel strip on
  // top whose left press moves it.
  TForm* ChromeForm(int left, int top, int width, int height) {
    TForm* form = MakeForm(left, top, width, height);
    form->SetBorderStyle(bsNone);
    auto* caption = new SysCommandArea(form, SC_MOVE + HTCAPTION);
    caption->SetBounds(0, 0, width, 20);
    caption->SetAlign(alTop);
    client_ = new TCustomControl(form);
    client_->SetParent(form);
    client_->SetAlign(alClient);
    return form;
  }

  // A left press at a screen point, moves to each point after it, release.
  void DragOnScreen(std::initializer_list<TPoint> points) {
    auto it = points.begin();
    Headless().InjectMouseMove(it->X, it->Y);
    Headless().InjectMouseDown();
    for (++it; it != points.end(); ++it) Headless().InjectMouseMove(it->X, it->Y);
    Headless().InjectMouseUp();
    Pump();
  }

  TCustomControl* client_ = nullptr;
};

TEST_F(WindowStateTest, MaximiseFillsTheWorkAreaAndRestoreBringsBackTheOldBounds) {
  // Through the property and through the system commands a window button sends.
  struct Way {
    const char* what;
    std::function<void(TForm*)> maximise, restore;
  };
  const Way ways[] = {
      {"WindowState", [](TForm* f) { f->SetWindowState(wsMaximized); },
       [](TForm* f) { f->SetWindowState(wsNormal); }},
      {"WM_SYSCOMMAND", [](TForm* f) { f->Perform(WM_SYSCOMMAND, SC_MAXIMIZE); },
       [](TForm* f) { f->Perform(WM_SYSCOMMAND, SC_RESTORE); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    TForm* form = ChromeForm(300, 200, 240, 160);
    form->Show();
    Pump();
    way.maximise(form);
    Pump();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), kWorkArea);
    EXPECT_EQ(form->PlatformHandle()->Bounds(), kWorkArea);
    EXPECT_EQ(client_->BoundsRect(), Rect(0, 20, 1920, 1040));
    EXPECT_EQ(form->Framebuffer().Width, 1920);
    // The new area is painted: the form's white reaches the far corner.
    EXPECT_EQ(PixelAt(form, 1919, 1039), clWhite);

    way.restore(form);
    Pump();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(300, 200, 240, 160));
    EXPECT_EQ(form->PlatformHandle()->Bounds(), Bounds(300, 200, 240, 160));
    EXPECT_EQ(client_->BoundsRect(), Rect(0, 20, 240, 160));
  }
}

TEST_F(WindowStateTest, MinimiseTakesTheFormOffTheScreenAndDeactivatesIt) {
  TForm* form = ChromeForm(300, 200, 240, 160);
  std::vector<std::string> log;
  form->SetOnActivate([&](TObject*) { log.push_back("activate"); });
  form->SetOnDeactivate([&](TObject*) { log.push_back("deactivate"); });
  Application->SetOnActivate([&](TObject*) { log.push_back("app activate"); });
  Application->SetOnDeactivate([&](TObject*) { log.push_back("app deactivate"); });
  int presses = 0;
  form->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; });
  client_->SetEnabled(false);  // presses on the client reach the form
  form->Show();
  Pump();
  log.clear();

  form->Perform(WM_SYSCOMMAND, SC_MINIMIZE);
  Pump();
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_EQ(log, (std::vector<std::string>{"deactivate", "app deactivate"}));
  EXPECT_FALSE(form->Active());
  auto* window = static_cast<HeadlessWindow*>(form->PlatformHandle());
  EXPECT_FALSE(window->OnScreen());
  EXPECT_EQ(Headless().WindowAt({400, 300}), nullptr);
  Headless().InjectClick(400, 300);
  Pump();
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(form->BoundsRect(), Bounds(300, 200, 240, 160));  // kept for the restore

  log.clear();
  form->SetWindowState(wsNormal);
  Pump();
  EXPECT_TRUE(window->OnScreen());
  EXPECT_TRUE(form->Active());
  EXPECT_EQ(log, (std::vector<std::string>{"app activate", "activate"}));
  Headless().InjectClick(400, 300);
  Pump();
  EXPECT_EQ(presses, 1);
  Application->SetOnActivate(nullptr);
  Application->SetOnDeactivate(nullptr);
}

TEST_F(WindowStateTest, ApplicationRestoreGivesEachMinimisedFormTheStateItHad) {
  TForm* placed = ChromeForm(100, 100, 200, 150);
  TForm* maximised = ChromeForm(400, 300, 200, 150);
  TForm* hidden = ChromeForm(700, 300, 200, 150);
  placed->Show();
  maximised->Show();
  maximised->SetWindowState(wsMaximized);
  Pump();
  Application->Minimize();
  Pump();
  EXPECT_EQ(placed->WindowState(), wsMinimized);
  EXPECT_EQ(maximised->WindowState(), wsMinimized);
  EXPECT_EQ(hidden->WindowState(), wsNormal);
  EXPECT_TRUE(Headless().Windows().empty());

  Application->Restore();
  Pump();
  EXPECT_EQ(placed->WindowState(), wsNormal);
  EXPECT_EQ(placed->BoundsRect(), Bounds(100, 100, 200, 150));
  EXPECT_EQ(maximised->WindowState(), wsMaximized);
  EXPECT_EQ(maximised->BoundsRect(), kWorkArea);
  EXPECT_EQ(Headless().Windows().size(), 2u);

  // Restored from minimised, the once maximised form goes back to where it
  // was placed before.
  maximised->SetWindowState(wsMinimized);
  maximised->SetWindowState(wsNormal);
  EXPECT_EQ(maximised->BoundsRect(), Bounds(400, 300, 200, 150));
}

TEST_F(WindowStateTest, AHiddenFormKeepsItsStateAndShowsInIt) {
  TForm* form = ChromeForm(300, 200, 240, 160);
  form->SetWindowState(wsMaximized);
  EXPECT_EQ(form->BoundsRect(), Bounds(300, 200, 240, 160));
  form->Show();
  Pump();
  EXPECT_EQ(form->BoundsRect(), kWorkArea);
  form->Hide();
  form->SetWindowState(wsNormal);
  form->Show();
  Pump();
  EXPECT_EQ(form->BoundsRect(), Bounds(300, 200, 240, 160));
  // Hidden while minimised, it shows minimised and inactive.
  form->SetWindowState(wsMinimized);
  form->Hide();
  form->Show();
  Pump();
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_FALSE(form->Active());
  EXPECT_TRUE(Headless().Windows().empty());
}

TEST_F(WindowStateTest, ActivationFollowsTheWindowThatHasTheKeyboard) {
  TForm* first = ChromeForm(100, 100, 200, 150);
  TForm* second = ChromeForm(500, 100, 200, 150);
  std::vector<std::string> log;
  first->SetOnActivate([&](TObject*) { log.push_back("first on"); });
  first->SetOnDeactivate([&](TObject*) { log.push_back("first off"); });
  second->SetOnActivate([&](TObject*) { log.push_back("second on"); });
  second->SetOnDeactivate([&](TObject*) { log.push_back("second off"); });
  Application->SetOnActivate([&](TObject*) { log.push_back("app on"); });
  Application->SetOnDeactivate([&](TObject*) { log.push_back("app off"); });
  first->Show();
  second->Show();
  Pump();
  EXPECT_TRUE(second->Active());
  EXPECT_FALSE(first->Active());
  log.clear();
  // Between the application's own forms the application stays active.
  Headless().InjectClick(150, 200);  // on the first form
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"second off", "first on"}));
  EXPECT_EQ(Screen->ActiveForm(), first);
  log.clear();
  first->SetWindowState(wsMinimized);  // the keyboard goes to the other one
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"first off", "second on"}));
  log.clear();
  second->Hide();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"second off", "app off"}));
  Application->SetOnActivate(nullptr);
  Application->SetOnDeactivate(nullptr);
}

struct SnapCase {
  const char* name;
  bool screenSnap;
  int32_t snapBuffer;
  TPoint drop;  // where the press at (350, 210) is let go
  TRect expected;
};

class SnapTest : public WindowStateTest, public ::testing::WithParamInterface<SnapCase> {};

// The form starts at (300, 200), 240 × 160; the press is 50, 10 into it.
TEST_P(SnapTest, AMoveSnapsToTheWorkAreaEdgesWithinTheBuffer) {
  TForm* form = ChromeForm(300, 200, 240, 160);
  form->SetScreenSnap(GetParam().screenSnap);
  form->SetSnapBuffer(GetParam().snapBuffer);
  form->Show();
  Pump();
  DragOnScreen({{350, 210}, {200, 150}, GetParam().drop});
  EXPECT_EQ(form->BoundsRect(), GetParam().expected);
  EXPECT_EQ(form->PlatformHandle()->Bounds(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, SnapTest,
    ::testing::Values(
        SnapCase{"LeftWithinTheBuffer", true, 10, {58, 300}, Bounds(0, 290, 240, 160)},
        SnapCase{"LeftJustOutside", true, 10, {61, 300}, Bounds(11, 290, 240, 160)},
        SnapCase{"LeftPastTheEdge", true, 10, {42, 300}, Bounds(0, 290, 240, 160)},
        SnapCase{"SnapOff", false, 10, {58, 300}, Bounds(8, 290, 240, 160)},
        SnapCase{"TopAndRight", true, 10, {1725, 15}, Bounds(1680, 0, 240, 160)},
        // The bottom edge snaps to the work area's, above the task bar.
        SnapCase{"BottomOfTheWorkArea", true, 10, {400, 895}, Bounds(350, 880, 240, 160)},
        SnapCase{"WiderBuffer", true, 40, {85, 300}, Bounds(0, 290, 240, 160)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowStateTest, ASnapFollowsEveryStepOfTheMoveNotOnlyTheLast) {
  TForm* form = ChromeForm(300, 200, 240, 160);
  form->SetScreenSnap(true);
  form->Show();
  Pump();
  // Each step of the loop reports the bounds it gave the window.
  struct Recorder : WindowEvents {
    WindowEvents* inner = nullptr;
    std::vector<int32_t> lefts;
    void MouseDown(const MouseEvent& e) override { inner->MouseDown(e); }
    void BoundsChanged(const TRect& b) override {
      lefts.push_back(b.Left);
      inner->BoundsChanged(b);
    }
  } recorder;
  PlatformWindow* window = form->PlatformHandle();
  recorder.inner = window->Events();
  window->SetEvents(&recorder);
  DragOnScreen({{350, 210}, {55, 210}, {45, 210}, {200, 210}});
  window->SetEvents(recorder.inner);
  // Left 5 and left -5 both snap to 0, reported once; then 150.
  EXPECT_EQ(recorder.lefts, (std::vector<int32_t>{0, 150}));
}

// What a press would do to the window, answered by the control under it.
class HitAreaControl : public TCustomControl {
 public:
  HitAreaControl(TWinControl* parent, HitArea area, TRect bounds)
      : TCustomControl(parent), area_(area) {
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetParent(parent);
  }
  HitArea WindowHitArea(TPoint P) const override {
    last = P;
    return area_;
  }
  mutable TPoint last;

 private:
  HitArea area_;
};

TEST_F(WindowStateTest, TheWindowsHitTestAsksTheControlUnderThePoint) {
  TForm* form = MakeForm(100, 100, 200, 150);
  form->SetBorderStyle(bsNone);
  auto* bar = new HitAreaControl(form, HitArea::Draggable, Bounds(0, 0, 200, 20));
  auto* corner = new HitAreaControl(form, HitArea::ResizeBottomRight, Bounds(180, 130, 20, 20));
  // A plain control inside a drag area takes its own presses.
  auto* button = new TCustomControl(bar);
  button->SetParent(bar);
  button->SetBounds(170, 2, 16, 16);
  form->Show();
  Pump();
  auto* window = static_cast<HeadlessWindow*>(form->PlatformHandle());
  EXPECT_EQ(window->HitTest({40, 10}), HitArea::Draggable);
  EXPECT_EQ(bar->last, (TPoint{40, 10}));
  EXPECT_EQ(window->HitTest({190, 140}), HitArea::ResizeBottomRight);
  EXPECT_EQ(corner->last, (TPoint{10, 10}));
  EXPECT_EQ(window->HitTest({175, 10}), HitArea::Normal);
  EXPECT_EQ(window->HitTest({100, 80}), HitArea::Normal);

  // Nothing moves a form that takes no input.
  form->SetEnabled(false);
  EXPECT_EQ(window->HitTest({40, 10}), HitArea::Normal);
  form->SetEnabled(true);
  TForm* dialog = MakeForm(600, 100, 100, 100);
  HitArea duringModal = HitArea::Draggable;
  HWND poster = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_USER) return;
    duringModal = window->HitTest({40, 10});
    dialog->SetModalResult(mrOk);
  });
  PostMessage(poster, WM_USER);
  dialog->ShowModal();
  DeallocateHWnd(poster);
  EXPECT_EQ(duringModal, HitArea::Normal);
  EXPECT_EQ(window->HitTest({40, 10}), HitArea::Draggable);
}

}  // namespace
}  // namespace host::testing
