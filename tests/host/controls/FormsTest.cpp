// Forms: modal loops, the interactive move and size, closing, the
// application's exception handling.
#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/controls/Panels.h"
#include "host/threads/UtilityWindow.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class FormsTest : public HeadlessTest {};

TEST_F(FormsTest, DragByInjectedMouseMovesTheFormByTheDelta) {
  TForm* form = MakeForm(100, 100, 200, 150);
  form->SetBorderStyle(bsNone);
  auto* area = new SysCommandArea(form, SC_MOVE + HTCAPTION);
  area->SetBounds(0, 0, 200, 20);
  form->Show();
  Pump();
  Headless().InjectMouseMove(150, 110);
  Headless().InjectMouseDown();
  Headless().InjectMouseMove(170, 125);
  Headless().InjectMouseMove(190, 140);
  Headless().InjectMouseUp();
  Pump();
  EXPECT_EQ(form->BoundsRect(), Bounds(140, 130, 200, 150));
  EXPECT_EQ(form->PlatformHandle()->Bounds(), Bounds(140, 130, 200, 150));
  EXPECT_EQ(area->downs, 1);
  EXPECT_EQ(area->ups, 0);  // the move loop consumed the release
  EXPECT_EQ(Headless().PendingInput(), 0u);

  // Input still reaches the form after the move; a right press moves nothing.
  Headless().InjectClick(200, 135, MouseButton::Right);
  Pump();
  EXPECT_EQ(area->downs, 2);
  EXPECT_EQ(area->ups, 1);
  EXPECT_EQ(form->BoundsRect(), Bounds(140, 130, 200, 150));
}

struct SizeCase {
  const char* name;
  WPARAM edge;
  TRect expected;
};

class FormSizeTest : public HeadlessTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FormSizeTest, SizesFromTheEdge) {
  TForm* form = MakeForm(100, 100, 200, 150);
  form->SetBorderStyle(bsNone);
  auto* client = new TCustomControl(form);
  client->SetParent(form);
  client->SetAlign(alClient);
  auto* grip = new SysCommandArea(form, SC_SIZE + GetParam().edge);
  grip->SetBounds(180, 130, 20, 20);
  form->Show();
  Pump();
  Headless().InjectMouseMove(290, 240);
  Headless().InjectMouseDown();
  Headless().InjectMouseMove(300, 250);
  Headless().InjectMouseMove(320, 270);
  Headless().InjectMouseUp();
  Pump();
  EXPECT_EQ(form->BoundsRect(), GetParam().expected);
  EXPECT_EQ(form->PlatformHandle()->Bounds(), GetParam().expected);
  EXPECT_EQ(client->BoundsRect(),
            Rect(0, 0, GetParam().expected.Width(), GetParam().expected.Height()));
  EXPECT_EQ(form->Framebuffer().Width, GetParam().expected.Width());
  EXPECT_EQ(grip->ups, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FormSizeTest,
    ::testing::Values(SizeCase{"Right", WMSZ_RIGHT, Bounds(100, 100, 230, 150)},
                      SizeCase{"Bottom", WMSZ_BOTTOM, Bounds(100, 100, 200, 180)},
                      SizeCase{"BottomRight", WMSZ_BOTTOMRIGHT, Bounds(100, 100, 230, 180)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormsTest, ModalFormRunsUntilModalResultAndBlocksOtherForms) {
  TForm* owner = MakeForm(500, 100, 200, 150);
  int ownerPresses = 0;
  owner->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++ownerPresses; });
  owner->Show();
  Pump();

  TForm* dialog = MakeForm(100, 100, 200, 150);
  auto* ok = new LoggingGraphic(dialog, nullptr, "ok", clGreen, Bounds(10, 10, 50, 20));
  ok->SetOnClick(
      [](TObject* sender) { GetParentForm(static_cast<TControl*>(sender))->SetModalResult(mrOk); });
  bool closed = false;
  dialog->SetOnClose([&](TObject*, TCloseAction&) { closed = true; });
  Headless().InjectClick(550, 150);  // the other form: ignored while the dialog is modal
  Headless().InjectClick(120, 120);  // OK
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(ownerPresses, 0);
  EXPECT_EQ(Application->ModalForm(), nullptr);
  Headless().InjectClick(550, 150);
  Pump();
  EXPECT_EQ(ownerPresses, 1);
}

TEST_F(FormsTest, CloseOfModalFormGivesCancelAndCloseQueryCanRefuse) {
  TForm* dialog = MakeForm();
  int queries = 0;
  dialog->SetOnCloseQuery([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
  HWND poster = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_USER) dialog->Close();
  });
  PostMessage(poster, WM_USER);
  PostMessage(poster, WM_USER);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  DeallocateHWnd(poster);
}

TEST_F(FormsTest, ShowModalOfAVisibleFormFails) {
  TForm* form = MakeForm();
  form->Show();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(FormsTest, PositionScreenCenterCentresOnTheScreen) {
  TForm* form = MakeForm(0, 0, 200, 100);
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->BoundsRect(), Bounds((1920 - 200) / 2, (1080 - 100) / 2, 200, 100));
  EXPECT_EQ(form->PlatformHandle()->Bounds(), form->BoundsRect());
}

TEST_F(FormsTest, ReleaseFreesTheFormAfterQueuedMessages) {
  auto* form = new TForm(nullptr);
  bool destroyed = false;
  form->SetOnDestroy([&](TObject*) { destroyed = true; });
  form->Show();
  form->Release();
  EXPECT_FALSE(destroyed);
  Pump();
  EXPECT_TRUE(destroyed);
}

TEST_F(FormsTest, ExceptionsFromHandlersGoToOnException) {
  TForm* form = MakeForm();
  form->SetOnMouseDown(
      [](TObject*, TMouseButton, TShiftState, int, int) { throw EInvalidOperation("boom"); });
  std::string seen;
  Application->SetOnException([&](TObject*, Exception* e) { seen = e->Message(); });
  form->Show();
  Headless().InjectClick(150, 150);
  Pump();
  Application->SetOnException(nullptr);
  EXPECT_EQ(seen, "boom");
}

TEST_F(FormsTest, HandleExceptionWithoutHandlerWritesToStderr) {
  ::testing::internal::CaptureStderr();
  try {
    throw EConvertError("not a number");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "not a number\n");
}

TEST_F(FormsTest, GetParentFormFindsTheTopmostForm) {
  TForm* form = MakeForm();
  auto* outer = new TCustomControl(form);
  outer->SetParent(form);
  auto* inner = new LoggingGraphic(outer, nullptr, "x", clRed, Bounds(0, 0, 5, 5));
  EXPECT_EQ(GetParentForm(inner), form);
  EXPECT_EQ(GetParentForm(form), form);
  auto* loose = new TCustomControl(nullptr);
  auto* orphan = new LoggingGraphic(loose, nullptr, "y", clRed, Bounds(0, 0, 5, 5));
  EXPECT_EQ(GetParentForm(orphan), nullptr);
  EXPECT_EQ(GetParentForm(nullptr), nullptr);
  loose->Free();
}

// A form that notes what its OnCreate and OnShow see.
class TShowLogForm : public TForm {
  HOST_CLASS(TShowLogForm, TForm)
 public:
  using TForm::TForm;
  std::vector<std::string> Log;
  void FormCreate(TObject*) { Log.push_back("create"); }
  void FormShow(TObject*) {
    Log.push_back("show with " + std::to_string(ControlCount()) + " controls");
  }
  static const TPublished& PublishedProperties() {
    static const TPublished table = Publish<TShowLogForm>()
                                        .Method("FormCreate", &TShowLogForm::FormCreate)
                                        .Method("FormShow", &TShowLogForm::FormShow);
    return table;
  }
};

struct ReadVisibleCase {
  const char* order;  // how the root's lines are arranged
  const char* rootLines;
  bool shown;
};

class ReadVisibleTest : public HeadlessTest,
                        public ::testing::WithParamInterface<ReadVisibleCase> {};

TEST_P(ReadVisibleTest, AFormReadAsVisibleShowsOnceTheWholeFileIsRead) {
  RegisterClass<TShowLogForm>();
  const std::string text = std::string("object F: TShowLogForm\n") + GetParam().rootLines +
                           "  OnCreate = FormCreate\n"
                           "  object P: TPanel\n"
                           "  end\n"
                           "end\n";
  auto* form = ReadFormAs<TShowLogForm>(text, "visible.kxf");
  const std::vector<std::string> shown{"create", "show with 1 controls"};
  const std::vector<std::string> hidden{"create"};
  EXPECT_EQ(form->Log, GetParam().shown ? shown : hidden);
  EXPECT_EQ(form->Visible(), GetParam().shown);
  EXPECT_EQ(form->PlatformHandle() && form->PlatformHandle()->Visible(), GetParam().shown);
  form->Free();
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ReadVisibleTest,
    ::testing::Values(
        ReadVisibleCase{"VisibleFirst", "  Visible = True\n  OnShow = FormShow\n", true},
        ReadVisibleCase{"OnShowFirst", "  OnShow = FormShow\n  Visible = True\n", true},
        ReadVisibleCase{"ShownThenHidden",
                        "  OnShow = FormShow\n  Visible = True\n  Visible = False\n", false}),
    [](const auto& info) { return std::string(info.param.order); });

}  // namespace
}  // namespace host::testing
