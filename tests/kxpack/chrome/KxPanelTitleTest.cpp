// The title bar and its striped bars: the stripes on an active and an
// inactive window, the bars placed around the caption, the position and
// font the title bar insists on, and the window move a press starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/base/SysUtils.h"
#include "host/controls/Forms.h"
#include "kxpack/chrome/KxPanel.h"
#include "tests/kxpack/chrome/ChromeFixture.h"

namespace kx::testing {
namespace {

using namespace host;

// The six lines of a bar: row, first and last column drawn (counted from the
// right edge for the last), colour when active and when inactive.
struct StripeRow {
  int32_t y, first, lastFromRight;
  TColor active, inactive;
};
constexpr StripeRow kStripes[] = {
    {2, 1, 2, 0x0069B0D3, 0x003A6174}, {3, 0, 1, 0x00ACFFFF, 0x006BB3D7},
    {4, 0, 1, 0x0015242B, 0x0005080A}, {5, 1, 2, 0x003E677C, 0x00192A32},
    {6, 1, 2, 0x0069B0D3, 0x003A6174}, {7, 1, 2, 0x0015242B, 0x0005080A},
};

using KxPanelTitleTest = ChromeTest;

TEST_F(KxPanelTitleTest, BarsShowTheActiveOrInactiveStripesAndTheCaptionKeepsItsColour) {
  for (bool active : {true, false}) {
    SCOPED_TRACE(active ? "active" : "inactive");
    session->Set("Bar.Active", active ? "True" : "False");
    for (TKxImgBarre* b : {title->BarreLeft(), title->BarreRight()}) {
      const int32_t w = b->Width();
      for (const StripeRow& s : kStripes) {
        SCOPED_TRACE(::testing::Message() << "row " << s.y);
        const TPoint first = OnForm(b, s.first, s.y), last = OnForm(b, w - s.lastFromRight, s.y);
        EXPECT_EQ(PixelAt(first.X, first.Y), active ? s.active : s.inactive);
        EXPECT_EQ(PixelAt(last.X, last.Y), active ? s.active : s.inactive);
        // The short lines leave their end pixels to the background.
        if (s.first == 1) {
          EXPECT_EQ(PixelAt(first.X - 1, first.Y), kBarreColor);
        }
      }
      for (int32_t y : {0, 1}) {
        const TPoint p = OnForm(b, w / 2, y);
        EXPECT_EQ(PixelAt(p.X, p.Y), kBarreColor);
      }
    }
    // Some of the caption's pixels are its light yellow whatever the state.
    int32_t yellow = 0;
    for (int32_t x = title->BarreLeft()->Width(); x < title->BarreRight()->Left(); ++x)
      for (int32_t y = 1; y < title->Height(); ++y) {  // row 0 lies above the form
        const TPoint p = OnForm(title, x, y);
        yellow += PixelAt(p.X, p.Y) == TKxPanelTitle::kFontColor;
      }
    EXPECT_GT(yellow, 20);
  }
}

TEST_F(KxPanelTitleTest, ABarWithoutAnOwnerShowsOnlyItsBackground) {
  auto* orphan = new TKxImgBarre(nullptr);
  orphan->SetParent(form);
  orphan->SetBounds(20, 60, 60, 8);
  orphan->SetActive(true);
  session->Settle();
  for (int32_t y = 0; y < 8; ++y) EXPECT_EQ(PixelAt(50, 60 + y), kBarreColor) << y;
  orphan->Free();
}

TEST_F(KxPanelTitleTest, BarsFillTheSpaceBesideTheCaptionFromItsTrimmedWidth) {
  for (const char* caption : {"Orvane", "Orvanes", "  Orvane  ", "A much longer window title"}) {
    SCOPED_TRACE(caption);
    title->SetCaption(caption);
    session->Settle();
    TCanvas* canvas = title->Canvas();
    canvas->Font()->Assign(title->Font());
    const int32_t rest = 185 - (canvas->TextWidth(Trim(caption)) + 22);
    const int32_t w = rest / 2;
    EXPECT_EQ(title->BarreLeft()->BoundsRect(), Bounds(1, 3, w, 8));
    EXPECT_EQ(title->BarreRight()->BoundsRect(),
              Bounds(canvas->TextWidth(caption) + 21 + w, 3, w % 2 == 0 ? w : w + 1, 8));
    // Without outer blanks and with an even rest, the right bar's last
    // column is one pixel short of the edge.
    if (Trim(caption) == caption && rest % 2 == 0) {
      EXPECT_EQ(title->BarreRight()->BoundsRect().Right, 184);
    }
  }
}

TEST_F(KxPanelTitleTest, HeightPositionAndAlignmentComeBackAtTheNextPaint) {
  title->SetHeight(10);
  EXPECT_EQ(title->Height(), 15);
  EXPECT_EQ(title->BarreLeft()->Top(), 3);
  EXPECT_EQ(title->BarreRight()->Top(), 3);
  title->SetAlign(alTop);
  title->SetTop(6);
  title->Invalidate();
  session->Settle();
  EXPECT_EQ(title->Align(), alNone);
  EXPECT_EQ(title->Top(), -1);
  // Unlocked, the title bar stays where it is put.
  session->Set("Title.LockedToTop", "False");
  title->SetTop(6);
  title->Invalidate();
  session->Settle();
  EXPECT_EQ(title->Top(), 6);
}

TEST_F(KxPanelTitleTest, LoadingReplacesTheStreamedFontAndLocksTheTop) {
  std::string text = kFormText;
  const std::string at = "      Top = -1\n";
  text.replace(text.find(at), at.size(),
               "      Top = 6\n      Font.Color = clRed\n      Font.Style = [fsItalic]\n");
  auto* loaded = static_cast<TForm*>(ReadForm(text, "title.kxf"));
  auto* t = As<TKxPanelTitle>(loaded->FindComponent("Title"));
  EXPECT_EQ(t->Font()->Color(), TKxPanelTitle::kFontColor);
  EXPECT_EQ(t->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(t->Top(), -1);
  loaded->Free();
}

// What the title bar's handlers saw.
struct Press {
  std::string what;
  TMouseButton button;
  int32_t x, y;
  bool operator==(const Press&) const = default;
};

TEST_F(KxPanelTitleTest, ALeftPressMovesTheFormByTheDragDeltaThenMouseDownFiresAgain) {
  std::vector<Press> log;
  title->SetOnMouseDown([&](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
    log.push_back({"down", b, x, y});
  });
  title->SetOnMouseUp([&](TObject*, TMouseButton b, TShiftState, int32_t x, int32_t y) {
    log.push_back({"up", b, x, y});
  });
  const TRect before = form->BoundsRect();
  const TPoint press = OnForm(title, 90, 7);
  session->Drag(press.X, press.Y, press.X + 40, press.Y + 25);
  EXPECT_EQ(form->BoundsRect(), Bounds(before.Left + 40, before.Top + 25, 300, 120));
  EXPECT_EQ(log, (std::vector<Press>{{"down", mbLeft, 90, 7}, {"down", mbLeft, 90, 7}}));

  // Other buttons move nothing; the second notification comes all the same.
  log.clear();
  session->Click(press.X, press.Y, MouseButton::Right);
  EXPECT_EQ(form->BoundsRect(), Bounds(before.Left + 40, before.Top + 25, 300, 120));
  EXPECT_EQ(log, (std::vector<Press>{
                     {"down", mbRight, 90, 7}, {"down", mbRight, 90, 7}, {"up", mbRight, 90, 7}}));

  // A bar moves the form too.
  const TPoint onBar = OnForm(title->BarreLeft(), 10, 4);
  session->Drag(onBar.X, onBar.Y, onBar.X - 30, onBar.Y + 5);
  EXPECT_EQ(form->BoundsRect(), Bounds(before.Left + 10, before.Top + 30, 300, 120));
}

// Freeing a bar elsewhere leaves no dangling pointer in the title bar.
TEST_F(KxPanelTitleTest, ABarFreedElsewhereIsForgotten) {
  title->BarreLeft()->Free();
  EXPECT_EQ(title->BarreLeft(), nullptr);
  title->SetActive(false);
  title->SetWidth(150);
  title->DoPlacment();
  title->Invalidate();
  session->Settle();
  EXPECT_FALSE(title->BarreRight()->Active());
  title->BarreRight()->Free();
  EXPECT_EQ(title->BarreRight(), nullptr);
  title->SetHeight(20);
  session->Settle();
}

// A control's left press, as the platform's input would send it.
void PressLeft(TControl* c, int32_t x, int32_t y) {
  c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Point(x, y)));
}

// Without a parent form a press moves nothing and the title bar still
// gives its second notification.
TEST_F(KxPanelTitleTest, APressWithoutAParentFormMovesNothing) {
  auto* alone = new TKxPanelTitle(form);
  int downs = 0;
  alone->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++downs; });
  PressLeft(alone, 5, 5);
  EXPECT_EQ(downs, 2);
  auto* barre = new TKxImgBarre(form);
  PressLeft(barre, 5, 5);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

// A form that goes away while it is being moved, as when the move loop
// dispatches a message whose handler frees it.
class TFreedByMoveForm : public TForm {
 public:
  using TForm::TForm;

 protected:
  void WMSysCommand(TMessage& Message) override {
    TForm::WMSysCommand(Message);
    Free();
  }
};

TEST_F(KxPanelTitleTest, NothingFiresOnAControlFreedDuringTheMove) {
  struct Case {
    const char* name;
    TControl* (*make)(TForm*);
  };
  const Case cases[] = {
      {"title", [](TForm* f) -> TControl* { return new TKxPanelTitle(f); }},
      {"bar", [](TForm* f) -> TControl* { return new TKxImgBarre(f); }},
      {"panel", [](TForm* f) -> TControl* { return new TKxPanel(f); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* doomed = new TFreedByMoveForm(nullptr);
    doomed->SetBounds(400, 300, 200, 100);
    TControl* control = c.make(doomed);
    control->SetParent(doomed);
    doomed->Show();
    std::vector<std::string> log;
    control->SetOnMouseDown(
        [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { log.push_back("down"); });
    control->SetOnMouseUp(
        [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { log.push_back("up"); });
    PressLeft(control, 5, 5);
    EXPECT_EQ(log, std::vector<std::string>{"down"});
  }
}

}  // namespace
}  // namespace kx::testing
