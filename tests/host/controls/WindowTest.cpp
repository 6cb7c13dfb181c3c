// Windows: class styles on resize, the position-change message, the mouse
// position.
#include "host/controls/ControlWindow.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

// Notes the clip rectangle of each paint; optionally drops the class styles
// that repaint the whole window on a size change.
class ClipLogger : public TCustomControl {
 public:
  ClipLogger(TWinControl* parent, bool redrawOnSize)
      : TCustomControl(parent), redrawOnSize_(redrawOnSize) {
    SetParent(parent);
  }
  std::vector<TRect> clips;
  std::vector<std::string> positions;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    if (!redrawOnSize_) Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  }
  void Paint() override { clips.push_back(Canvas()->ClipRect()); }
  void WMWindowPosChanged(TMessage& Message) override {
    const auto* pos = reinterpret_cast<const TWindowPos*>(Message.LParam);
    positions.push_back("before " + std::to_string(Width()) + " new " + std::to_string(pos->cx));
    TCustomControl::WMWindowPosChanged(Message);
    positions.push_back("after " + std::to_string(Width()));
  }

 private:
  bool redrawOnSize_;
};

class WindowTest : public HeadlessTest {};

TEST_F(WindowTest, ClassStylesDecideWhatASizeChangeRepaints) {
  TForm* form = MakeForm();
  auto* whole = new ClipLogger(form, true);
  whole->SetBounds(0, 0, 50, 40);
  auto* strips = new ClipLogger(form, false);
  strips->SetBounds(0, 50, 50, 40);
  form->Show();
  Pump();
  whole->clips.clear();
  strips->clips.clear();
  whole->SetWidth(60);
  strips->SetWidth(60);
  Pump();
  EXPECT_EQ(whole->clips, (std::vector<TRect>{Rect(0, 0, 60, 40)}));
  EXPECT_EQ(strips->clips, (std::vector<TRect>{Rect(50, 0, 60, 40)}));
  strips->clips.clear();
  strips->SetWidth(40);  // shrinking uncovers nothing of the window itself
  Pump();
  EXPECT_TRUE(strips->clips.empty());
}

TEST_F(WindowTest, PositionChangeHandlerSeesTheOldSizeBeforeTheHostsHandler) {
  TForm* form = MakeForm();
  auto* box = new ClipLogger(form, true);
  box->SetBounds(0, 0, 50, 40);
  box->positions.clear();
  box->SetBounds(0, 0, 70, 40);
  EXPECT_EQ(box->positions, (std::vector<std::string>{"before 50 new 70", "after 70"}));
}

TEST_F(WindowTest, AFormTooLargeForItsFramebufferIsRefusedAndKeepsPainting) {
  TForm* form = MakeForm(100, 100, 200, 150);
  form->Show();
  Pump();
  const TRect before = form->BoundsRect();
  for (const TSize& s : {TSize{50000, 50000}, TSize{INT32_MAX, INT32_MAX}}) {
    SCOPED_TRACE(::testing::Message() << s.cx << " x " << s.cy);
    EXPECT_THROW(form->SetBounds(0, 0, s.cx, s.cy), EOutOfResources);
    EXPECT_EQ(form->BoundsRect(), before);
    EXPECT_EQ(form->Window()->Rect(), before);
    EXPECT_EQ(form->Framebuffer().Width, 200);
  }
  form->SetColor(clNavy);
  Pump();
  EXPECT_EQ(PixelAt(form, 150, 100), clNavy);
}

TEST_F(WindowTest, MouseCursorPosIsThePlatformPointer) {
  Headless().InjectMouseMove(321, 123);
  Pump();
  EXPECT_EQ(Mouse->CursorPos(), Point(321, 123));
  TForm* form = MakeForm(300, 100);
  form->Show();
  EXPECT_EQ(form->ScreenToClient(Mouse->CursorPos()), Point(21, 23));
}

TEST_F(WindowTest, ScreenKnowsTheFormsAndItsSize) {
  TForm* form = MakeForm();
  EXPECT_EQ(Screen->Width(), HeadlessPlatform::kScreenWidth);
  EXPECT_EQ(Screen->Height(), HeadlessPlatform::kScreenHeight);
  bool listed = false;
  for (int i = 0; i < Screen->FormCount(); ++i) listed = listed || Screen->Forms(i) == form;
  EXPECT_TRUE(listed);
  form->Show();
  EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(WindowTest, ControlsListWindowlessFirstThenWindowed) {
  TForm* form = MakeForm();
  auto* w = new TCustomControl(form);
  w->SetParent(form);
  auto* g = new LoggingGraphic(form, nullptr, "g", clRed, Bounds(0, 0, 1, 1));
  ASSERT_EQ(form->ControlCount(), 2);
  EXPECT_EQ(form->Controls(0), g);
  EXPECT_EQ(form->Controls(1), w);
  EXPECT_THROW(form->Controls(2), EListError);
  w->SetParent(nullptr);
  EXPECT_EQ(form->ControlCount(), 1);
  w->Free();
}

TEST_F(WindowTest, FreeingAFormFreesWhatItOwnsAndForgetsTheMouse) {
  auto* form = new TForm(nullptr);
  form->SetBounds(100, 100, 100, 100);
  auto* c = new LoggingGraphic(form, nullptr, "c", clRed, Bounds(0, 0, 50, 50));
  form->Show();
  Headless().InjectMouseMove(110, 110);
  Headless().InjectMouseDown();
  Pump();
  EXPECT_EQ(GetCaptureControl(), c);
  EXPECT_EQ(HoverControl(), c);
  form->Free();
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(HoverControl(), nullptr);
  Headless().InjectMouseUp();
  Pump();
}

}  // namespace
}  // namespace host::testing
