// The package's control base classes: the update counter, the design frame,
// the off-screen frame and the transparency cycle.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/controls/WindowDC.h"
#include "kxpack/foundations/KxControls.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

TColor PixelAt(const TCustomForm* form, int x, int y) {
  return static_cast<TColor>(SwapRedBlue(form->Framebuffer().At(x, y)));
}

// A painted control with one property whose setter stores and repaints
// through SetPaintedProp, as the package's controls do; it draws a 4 × 4 dot of
// DotColor at its top-left corner and nothing else.
class Probe : public TKxGraphicImageControl {
 public:
  explicit Probe(TComponent* owner) : TKxGraphicImageControl(owner) {}
  int paints = 0;
  int locksDuringPaint = 0;
  TColor dot = clBlue;

  void SetDot(TColor v) { SetPaintedProp(dot, v); }
  using TKxGraphicImageControl::FBitmap;
  using TKxGraphicImageControl::FParentCopyNeeded;
  using TKxGraphicImageControl::FParentImage;
  using TKxGraphicImageControl::SetTransparent;
  using TKxGraphicImageControl::Transparent;
  int32_t UpdateCount() const { return FUpdateCount; }

 protected:
  void Paint() override {
    ++paints;
    locksDuringPaint = Canvas()->LockCount() + GetBitmapCanvas()->LockCount();
    ClearBitmapCanvas();
    GetBitmapCanvas()->Brush()->SetColor(dot);
    GetBitmapCanvas()->FillRect(Rect(0, 0, 4, 4));
    TKxGraphicImageControl::Paint();
  }
};

class KxControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::testing::Headless();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 200, 100);
    form->SetColor(clWhite);
    // The form's own surface: red on the left half, green on the right.
    form->SetOnPaint([this](TObject*) {
      ++formPaints;
      form->Canvas()->Brush()->SetColor(clRed);
      form->Canvas()->FillRect(Rect(0, 0, 100, 100));
      form->Canvas()->Brush()->SetColor(clGreen);
      form->Canvas()->FillRect(Rect(100, 0, 200, 100));
    });
    probe = new Probe(form);
    probe->SetBounds(90, 10, 20, 20);  // straddles red and green
    probe->SetParent(form);
    form->Show();
    Application->ProcessMessages();
    probe->paints = 0;
    formPaints = 0;
  }
  void TearDown() override { form->Free(); }

  TForm* form = nullptr;
  Probe* probe = nullptr;
  int formPaints = 0;
};

TEST_F(KxControlsTest, OpaqueFrameStartsAsAColourFillAndReachesTheScreenInOneCopy) {
  probe->SetColor(clYellow);
  Application->ProcessMessages();
  EXPECT_EQ(PixelAt(form, 91, 11), clBlue);
  EXPECT_EQ(PixelAt(form, 100, 20), clYellow);
  EXPECT_EQ(PixelAt(form, 89, 20), clRed);
  EXPECT_EQ(probe->locksDuringPaint, 2);  // both canvases locked while painting
  EXPECT_EQ(probe->Canvas()->LockCount(), 0);
  EXPECT_EQ(probe->GetBitmapCanvas()->LockCount(), 0);
}

TEST_F(KxControlsTest, BeginUpdateAndEndUpdateGiveOneRepaintAtTheEnd) {
  probe->BeginUpdate();
  probe->SetDot(clFuchsia);
  probe->SetColor(clAqua);  // a host property: invalidates, paints later
  probe->SetDot(clNavy);
  EXPECT_EQ(probe->paints, 0);
  probe->EndUpdate();
  EXPECT_EQ(probe->paints, 1);
  EXPECT_EQ(PixelAt(form, 91, 11), clNavy);
}

TEST_F(KxControlsTest, NestedAndUnbalancedUpdatesCount) {
  probe->BeginUpdate();
  probe->BeginUpdate();
  probe->EndUpdate();
  EXPECT_EQ(probe->paints, 0);
  probe->EndUpdate();
  EXPECT_EQ(probe->paints, 1);
  probe->EndUpdate();  // below zero: no repaint until balanced again
  EXPECT_EQ(probe->UpdateCount(), -1);
  probe->SetDot(clMaroon);
  EXPECT_EQ(probe->paints, 1);
  probe->BeginUpdate();
  probe->SetDot(clOlive);
  EXPECT_EQ(probe->paints, 2);
}

TEST_F(KxControlsTest, NoRepaintWhileLoading) {
  probe->SetLoadingState(true);
  probe->SetDot(clMaroon);
  EXPECT_EQ(probe->paints, 0);
  probe->SetLoadingState(false);
}

TEST_F(KxControlsTest, SettingTransparentToItsValueChangesNothing) {
  const TControlStyle before = probe->ControlStyle();
  probe->SetTransparent(false);
  EXPECT_EQ(probe->paints, 0);
  EXPECT_EQ(probe->ControlStyle(), before);
  Application->ProcessMessages();
  EXPECT_EQ(probe->paints, 0);
}

TEST_F(KxControlsTest, TransparencyCycleCapturesUsesTheCaptureAndReArms) {
  probe->SetTransparent(true);  // repaints: the parent paints beneath, then the capture
  Application->ProcessMessages();
  EXPECT_GE(formPaints, 1);
  EXPECT_EQ(PixelAt(form, 95, 20), clRed);  // the parent shows through
  EXPECT_EQ(PixelAt(form, 105, 20), clGreen);
  EXPECT_EQ(PixelAt(form, 91, 11), clBlue);
  EXPECT_FALSE(probe->FParentImage->Empty());
  // After its paint the control is armed to capture again.
  EXPECT_TRUE(probe->FParentCopyNeeded);
  EXPECT_FALSE(probe->ControlStyle().Contains(csOpaque));

  // Something changes beneath without the control knowing; its own change
  // repaints on the stored background, without the parent painting.
  HDC dc = GetDC(form->Handle());
  HBRUSH black = CreateSolidBrush(0);
  FillRect(dc, Rect(80, 0, 120, 100), black);
  DeleteObject(black);
  ReleaseDC(form->Handle(), dc);
  formPaints = 0;
  probe->paints = 0;
  probe->SetDot(clYellow);
  EXPECT_EQ(formPaints, 0);
  EXPECT_EQ(probe->paints, 1);
  EXPECT_EQ(PixelAt(form, 91, 11), clYellow);
  EXPECT_EQ(PixelAt(form, 95, 20), clRed);  // the captured background
  EXPECT_EQ(PixelAt(form, 85, 20), clBlack);
  // Re-armed by that paint.
  EXPECT_TRUE(probe->FParentCopyNeeded);
  EXPECT_FALSE(probe->ControlStyle().Contains(csOpaque));

  // A paint from the host (invalidation) captures again.
  probe->Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(PixelAt(form, 95, 20), clRed);  // the form painted itself again
}

TEST_F(KxControlsTest, TransparentControlWithoutCaptureDoesNotTakeTheCapturedState) {
  auto* fresh = new Probe(form);
  fresh->SetBounds(10, 50, 20, 20);
  fresh->SetParent(form);
  fresh->SetTransparent(true);
  // The repaint the setter asked for went through the parent; no capture
  // had been made, so the control stayed non-opaque.
  EXPECT_FALSE(fresh->ControlStyle().Contains(csOpaque));
  EXPECT_TRUE(fresh->FParentCopyNeeded);
  EXPECT_EQ(PixelAt(form, 20, 60), clRed);
  EXPECT_FALSE(fresh->FParentImage->Empty());
}

TEST_F(KxControlsTest, AtDesignTimeEveryPaintCapturesAgain) {
  probe->SetTransparent(true);
  Application->ProcessMessages();
  probe->SetDesigning(true);
  probe->UpdateControlCanvas();
  EXPECT_FALSE(probe->ControlStyle().Contains(csOpaque));
  EXPECT_TRUE(probe->FParentCopyNeeded);
  probe->SetDesigning(false);
}

TEST_F(KxControlsTest, PaintMessageWithoutDeviceContextPaintsNothing) {
  probe->Perform(WM_PAINT, 0, 0);
  EXPECT_EQ(probe->paints, 0);
}

TEST_F(KxControlsTest, OffScreenBitmapFollowsTheBoundsBeforeTheControlMoves) {
  class SizeWatcher : public Probe {
   public:
    using Probe::Probe;
    TSize seen;

   protected:
    void WMWindowPosChanged(TMessage& m) override {
      seen = {FBitmap->Width(), FBitmap->Height()};
      Probe::WMWindowPosChanged(m);
    }
  };
  auto* c = new SizeWatcher(form);
  c->SetBounds(0, 0, 33, 17);
  EXPECT_EQ(c->seen, (TSize{33, 17}));
  EXPECT_EQ(c->FBitmap->Width(), 33);
  EXPECT_EQ(c->FBitmap->Height(), 17);
}

TEST_F(KxControlsTest, DrawingOutsidePaintThenRepaintingLeavesNoDeviceContextBehind) {
  // Drawing outside Paint gives the canvas a DC of its own; the paint that
  // follows must free it rather than draw over it.
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    probe->SetTransparent(transparent);
    Application->ProcessMessages();
    const int64_t before = LiveDeviceContexts();
    for (int cycle = 0; cycle < 20; ++cycle) {
      probe->Canvas()->Brush()->SetColor(clLime);
      probe->Canvas()->FillRect(Rect(0, 0, 8, 8));
      probe->Repaint();
    }
    EXPECT_EQ(LiveDeviceContexts(), before);
    EXPECT_EQ(PixelAt(form, 91, 11), clBlue);  // the paint covered the lime
  }
}

TEST_F(KxControlsTest, BoundsBeyondTheBitmapLimitAreRefusedAndChangeNothing) {
  const TSize sizes[] = {{INT32_MAX, INT32_MAX}, {50000, 50000}, {8193, 8192}, {INT32_MAX, 40}};
  for (const TSize& s : sizes) {
    SCOPED_TRACE(::testing::Message() << s.cx << " x " << s.cy);
    EXPECT_THROW(probe->SetBounds(0, 0, s.cx, s.cy), EOutOfResources);
    EXPECT_EQ(probe->BoundsRect(), Rect(90, 10, 110, 30));
    EXPECT_EQ(probe->FBitmap->Width(), 20);
    EXPECT_EQ(probe->FBitmap->Height(), 20);
  }
  // A long thin control stays within the limit.
  probe->SetBounds(0, 0, 100000, 2);
  EXPECT_EQ(probe->FBitmap->Width(), 100000);
}

class FrameProbe : public TKxGraphicControl {
 public:
  using TKxGraphicControl::TKxGraphicControl;

 protected:
  void Paint() override {
    ClearClientCanvas();
    Canvas()->Pen()->SetColor(clBlack);
    ShowDesignFrame(Canvas());
  }
};

TEST_F(KxControlsTest, DesignFrameOnlyAtDesignTimeWithRightAndBottomExcluded) {
  auto* c = new FrameProbe(form);
  c->SetColor(clWhite);
  c->SetBounds(10, 40, 10, 8);
  c->SetParent(form);
  c->Repaint();
  Application->ProcessMessages();
  for (int x = 10; x < 20; ++x) EXPECT_EQ(PixelAt(form, x, 40), clWhite) << x;
  c->SetDesigning(true);
  c->Invalidate();
  Application->ProcessMessages();
  // Dotted: alternate pixels along the edges, the last column and row at
  // Width − 1 and Height − 1.
  EXPECT_EQ(PixelAt(form, 10, 40), clBlack);
  EXPECT_EQ(PixelAt(form, 11, 40), clWhite);
  EXPECT_EQ(PixelAt(form, 12, 40), clBlack);
  bool rightEdge = false, bottomEdge = false;
  for (int y = 40; y < 48; ++y) rightEdge = rightEdge || PixelAt(form, 19, y) == clBlack;
  for (int x = 10; x < 20; ++x) bottomEdge = bottomEdge || PixelAt(form, x, 47) == clBlack;
  EXPECT_TRUE(rightEdge);
  EXPECT_TRUE(bottomEdge);
  EXPECT_EQ(PixelAt(form, 20, 44), clRed);    // nothing beyond
  EXPECT_EQ(PixelAt(form, 15, 44), clWhite);  // the inside is left as it was
}

TEST(KxAboutTest, AboutValuesAreConstants) {
  struct Component : TKxComponent, TKxAbout {
    using TKxComponent::TKxComponent;
  } c(nullptr);
  EXPECT_EQ(c.AboutKx(), "Component");
  EXPECT_EQ(c.AboutVers(), "1.0.0");
  c.SetAboutKx("other");
  c.SetAboutVers("2.0");
  EXPECT_EQ(c.AboutKx(), "Component");
  EXPECT_EQ(c.AboutVers(), "1.0.0");
}

TEST(KxCustomControlTest, UpdateCounterRepaintsTheWindowOnce) {
  host::testing::Headless();
  struct Panel : TKxCustomControl {
    using TKxCustomControl::TKxCustomControl;
    int paints = 0;
    void Paint() override {
      ++paints;
      ClearClientCanvas();
    }
  };
  auto* form = new TForm(nullptr);
  auto* panel = new Panel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 30, 30);
  panel->SetColor(clNavy);
  form->Show();
  Application->ProcessMessages();
  panel->paints = 0;
  panel->BeginUpdate();
  panel->UpdateControlCanvas();
  panel->UpdateControlCanvas();
  EXPECT_EQ(panel->paints, 0);
  panel->EndUpdate();
  EXPECT_EQ(panel->paints, 1);
  EXPECT_EQ(PixelAt(form, 5, 5), clNavy);
  form->Free();
}

}  // namespace
}  // namespace kx
