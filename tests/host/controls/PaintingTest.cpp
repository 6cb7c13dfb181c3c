// What repaints when, in which order, and what stays on screen between paints.
#include <functional>
#include <initializer_list>
#include <utility>

#include "host/controls/WindowDC.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class PaintingTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm();
    form->SetOnPaint([this](TObject*) { log.push_back("form"); });
    below = new LoggingGraphic(form, &log, "below", clRed, Bounds(10, 10, 20, 20));
    above = new LoggingGraphic(form, &log, "above", clBlue, Bounds(20, 20, 20, 20));
    above->SetControlStyle(above->ControlStyle() + TControlStyle{csOpaque});
    form->Show();
    Pump();
    log.clear();
  }

  TForm* form = nullptr;
  LoggingGraphic* below = nullptr;
  LoggingGraphic* above = nullptr;
  std::vector<std::string> log;
};

TEST_F(PaintingTest, FirstPaintGoesParentThenChildrenInZOrder) {
  form->Invalidate();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"form", "below", "above"}));
  EXPECT_EQ(PixelAt(form, 5, 5), clWhite);
  EXPECT_EQ(PixelAt(form, 12, 12), clRed);
  EXPECT_EQ(PixelAt(form, 25, 25), clBlue);  // the upper one wins where they overlap
}

TEST_F(PaintingTest, InvalidatePaintsOnlyWhenTheLoopRuns) {
  below->Invalidate();
  EXPECT_TRUE(log.empty());
  Pump();
  EXPECT_FALSE(log.empty());
}

TEST_F(PaintingTest, NonOpaqueControlLetsTheParentPaintBeneathItFirst) {
  below->Fill = clGreen;
  below->Invalidate();
  Pump();
  // The parent paints the area first; the overlapping opaque control is
  // painted again over the non-opaque one.
  EXPECT_EQ(log, (std::vector<std::string>{"form", "below", "above"}));
  EXPECT_EQ(PixelAt(form, 12, 12), clGreen);
  EXPECT_EQ(PixelAt(form, 25, 25), clBlue);
}

TEST_F(PaintingTest, OpaqueControlRepaintsWithoutTheParentAndWithoutErase) {
  // A mark drawn outside any paint under the opaque control's right half.
  HDC dc = GetDC(form->Handle());
  SetPixel(dc, 35, 35, RGB(0, 255, 0));
  ReleaseDC(form->Handle(), dc);
  above->FillPart = Rect(0, 0, 10, 20);  // paints its left half only
  above->Invalidate();
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"below", "above"}));
  EXPECT_EQ(PixelAt(form, 35, 35), clLime);  // nothing erased beneath it
}

TEST_F(PaintingTest, RepaintOfOpaqueControlPaintsAtOnceOnTheParent) {
  above->Fill = clYellow;
  above->Repaint();
  EXPECT_EQ(log, (std::vector<std::string>{"above"}));
  EXPECT_EQ(PixelAt(form, 25, 25), clYellow);
}

TEST_F(PaintingTest, RepaintOfNonOpaqueControlPaintsParentAndControlAtOnce) {
  below->Fill = clGreen;
  below->Repaint();
  EXPECT_EQ(log, (std::vector<std::string>{"form", "below", "above"}));
  EXPECT_EQ(PixelAt(form, 12, 12), clGreen);
}

TEST_F(PaintingTest, PixelsDrawnOutsidePaintStayUntilPaintedOver) {
  HDC dc = GetDC(form->Handle());
  SetPixel(dc, 150, 100, RGB(0, 0, 255));
  ReleaseDC(form->Handle(), dc);
  below->Invalidate();
  Pump();
  EXPECT_EQ(PixelAt(form, 150, 100), clBlue);
  form->Invalidate();
  Pump();
  EXPECT_EQ(PixelAt(form, 150, 100), clWhite);
}

TEST_F(PaintingTest, ControlCanvasOutsidePaintDrawsStraightOnTheScreen) {
  below->Canvas()->Brush()->SetColor(clFuchsia);
  below->Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(PixelAt(form, 10, 10), clFuchsia);
  EXPECT_EQ(PixelAt(form, 14, 14), clRed);
  // Clipped to the control.
  below->Canvas()->FillRect(Rect(-5, -5, 0, 0));
  EXPECT_EQ(PixelAt(form, 7, 7), clWhite);
  Pump();
  auto* window = Headless().WindowAt({110, 110});
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Pixels().At(10, 10), SwapRedBlue(static_cast<uint32_t>(clFuchsia)));
}

TEST_F(PaintingTest, DirtyPartsArePresentedAfterThePass) {
  above->Invalidate();
  Pump();
  auto* window = Headless().WindowAt({110, 110});
  ASSERT_NE(window, nullptr);
  ASSERT_FALSE(window->LastPresented().empty());
  TRect covered;
  for (const TRect& r : window->LastPresented()) UnionRect(covered, covered, r);
  EXPECT_EQ(covered, Bounds(20, 20, 20, 20));
  EXPECT_EQ(window->Pixels().At(25, 25), SwapRedBlue(static_cast<uint32_t>(clBlue)));
}

TEST_F(PaintingTest, HidingAControlRepaintsTheParentWhereItWas) {
  below->Hide();
  Pump();
  EXPECT_EQ(PixelAt(form, 12, 12), clWhite);
  below->Show();
  Pump();
  EXPECT_EQ(PixelAt(form, 12, 12), clRed);
}

// A control whose paint fails.
template <class Base>
class FailingPaint : public Base {
 public:
  using Base::Base;

 protected:
  void Paint() override { throw EInvalidOperation("paint failed"); }
};

TEST_F(PaintingTest, APaintThatThrowsLeavesNoDeviceContextBehind) {
  auto* windowless = new FailingPaint<TGraphicControl>(form);
  windowless->SetBounds(60, 10, 10, 10);
  windowless->SetParent(form);
  auto* opaque = new FailingPaint<TGraphicControl>(form);
  opaque->SetControlStyle(opaque->ControlStyle() + TControlStyle{csOpaque});
  opaque->SetBounds(80, 10, 10, 10);
  opaque->SetParent(form);
  auto* windowed = new FailingPaint<TCustomControl>(form);
  windowed->SetBounds(100, 10, 10, 10);
  windowed->SetParent(form);
  // The parent's paint reaching a windowless child, a windowless control
  // painted on its own, and a window's own paint.
  const std::pair<const char*, std::function<void()>> paints[] = {
      {"parent", [&] { form->Repaint(); }},
      {"opaque child", [&] { opaque->Repaint(); }},
      {"window", [&] { windowed->Repaint(); }},
  };
  for (const auto& [what, paint] : paints) {
    SCOPED_TRACE(what);
    const int64_t before = LiveDeviceContexts();
    EXPECT_THROW(paint(), EInvalidOperation);
    EXPECT_EQ(LiveDeviceContexts(), before);
  }
  for (TControl* c : std::initializer_list<TControl*>{windowless, opaque, windowed}) c->Free();
}

TEST_F(PaintingTest, DCsACanvasMadeOutsidePaintAreFreedWhenTheLoopIsIdle) {
  const int64_t before = LiveDeviceContexts();
  for (int cycle = 0; cycle < 3; ++cycle) {
    below->Canvas()->FillRect(Rect(0, 0, 2, 2));
    // Detached without the canvas freeing it: the next DC must not orphan it.
    below->Canvas()->SetHandle(nullptr);
  }
  below->Canvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_GT(LiveDeviceContexts(), before);
  Pump();
  EXPECT_EQ(LiveDeviceContexts(), before);
}

TEST_F(PaintingTest, ChildWindowIsNotPaintedOverByItsParent) {
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  panel->SetBounds(100, 50, 40, 40);
  panel->SetColor(clNavy);
  Pump();
  EXPECT_EQ(PixelAt(form, 110, 60), clNavy);  // erased with its colour
  form->Invalidate();
  Pump();
  EXPECT_EQ(PixelAt(form, 110, 60), clNavy);
  EXPECT_EQ(PixelAt(form, 99, 60), clWhite);
}

}  // namespace
}  // namespace host::testing
