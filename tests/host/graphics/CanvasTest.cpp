#include <gtest/gtest.h>

#include <thread>

#include "host/graphics/Graphics.h"
#include "tests/host/graphics/GdiTestSupport.h"

using namespace host;

namespace {

// A bitmap of w × h pixels of one colour.
std::unique_ptr<TBitmap> MakeBitmap(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect({0, 0, w, h});
  return b;
}

std::string Row(TBitmap& b, int y, std::initializer_list<std::pair<TColor, char>> legend) {
  std::string s;
  for (int x = 0; x < b.Width(); ++x) {
    char c = '?';
    for (auto [color, ch] : legend)
      if (b.Canvas()->Pixels(x, y) == color) c = ch;
    s += c;
  }
  return s;
}

TEST(Canvas, BitmapCanvasDrawsWithItsPenAndBrush) {
  auto b = MakeBitmap(6, 4, clWhite);
  TCanvas& c = *b->Canvas();
  c.Pen()->SetColor(clBlue);
  c.Brush()->SetColor(clRed);
  c.Rectangle(0, 0, 5, 4);
  const auto legend = {std::pair{clBlue, 'B'}, std::pair{clRed, 'r'}, std::pair{clWhite, '.'}};
  EXPECT_EQ(Row(*b, 0, legend), "BBBBB.");
  EXPECT_EQ(Row(*b, 1, legend), "BrrrB.");
  EXPECT_EQ(Row(*b, 3, legend), "BBBBB.");
  // A change of brush after the DC was made reaches it.
  c.Brush()->SetColor(clLime);
  c.FillRect({5, 0, 6, 1});
  EXPECT_EQ(c.Pixels(5, 0), clLime);
  EXPECT_EQ(GetBkColor(c.Handle()), static_cast<COLORREF>(clLime));
  c.Brush()->SetStyle(bsClear);
  EXPECT_EQ(GetBkMode(c.Handle()), TRANSPARENT);
}

TEST(Canvas, AColourMakesAClearBrushSolid) {
  struct Case {
    TBrushStyle before;
    TColor color;  // given after the style; the brush is clBlue already
  };
  const Case cases[] = {
      {bsClear, clRed},
      {bsClear, clBlue},  // the same colour still makes it solid
      {bsSolid, clRed},
      {bsSolid, clBlue},
  };
  for (const Case& c : cases) {
    auto b = MakeBitmap(2, 1, clWhite);
    TCanvas& canvas = *b->Canvas();
    canvas.Brush()->SetColor(clBlue);
    canvas.Brush()->SetStyle(c.before);
    EXPECT_EQ(GetBkMode(canvas.Handle()), c.before == bsClear ? TRANSPARENT : OPAQUE);
    canvas.Brush()->SetColor(c.color);
    const std::string what = (c.before == bsClear ? "clear, " : "solid, ") + ColorToString(c.color);
    EXPECT_EQ(canvas.Brush()->Style(), bsSolid) << what;
    EXPECT_EQ(canvas.Brush()->Color(), c.color) << what;
    // The canvas follows: its DC is opaque in the colour, and fills paint.
    EXPECT_EQ(GetBkMode(canvas.Handle()), OPAQUE) << what;
    EXPECT_EQ(GetBkColor(canvas.Handle()), static_cast<COLORREF>(c.color)) << what;
    canvas.FillRect({0, 0, 1, 1});
    EXPECT_EQ(canvas.Pixels(0, 0), c.color) << what;
  }
}

TEST(Canvas, LinesMoveThePenAndLeaveTheLastPoint) {
  auto b = MakeBitmap(5, 2, clWhite);
  TCanvas& c = *b->Canvas();
  c.MoveTo(0, 0);
  c.LineTo(4, 0);
  EXPECT_EQ(c.PenPos(), (TPoint{4, 0}));
  const TPoint pts[] = {{0, 1}, {3, 1}};
  c.Polyline(pts);
  const auto legend = {std::pair{clBlack, '#'}, std::pair{clWhite, '.'}};
  EXPECT_EQ(Row(*b, 0, legend), "####.");
  EXPECT_EQ(Row(*b, 1, legend), "###..");
}

TEST(Canvas, ClipRectAndHandedInDC) {
  auto b = MakeBitmap(8, 6, clWhite);
  EXPECT_EQ(b->Canvas()->ClipRect(), (TRect{0, 0, 8, 6}));

  // A canvas on a DC handed in, as a control's canvas during WM_PAINT.
  BitmapImage frame(20, 20, 0);
  const Region visible(TRect{5, 5, 9, 8});
  HDC dc = CreateSurfaceDC(&frame, {4, 4}, &visible);
  TCanvas canvas;
  EXPECT_THROW(canvas.Handle(), EInvalidOperation);
  canvas.SetHandle(dc);
  EXPECT_EQ(canvas.ClipRect(), (TRect{1, 1, 5, 4}));
  canvas.Brush()->SetColor(clRed);
  canvas.FillRect({0, 0, 100, 100});
  EXPECT_EQ(frame.At(5, 5), 0xFF0000u);
  EXPECT_EQ(frame.At(4, 4), 0u);
  EXPECT_EQ(frame.At(9, 5), 0u);
  canvas.SetHandle(nullptr);
  EXPECT_FALSE(canvas.HandleAllocated());
  DeleteDC(dc);
}

TEST(Canvas, DrawLeavesOutTheTransparentColourOfATransparentBitmap) {
  // A glyph: black background, one green pixel; its bottom-left pixel is black.
  auto glyph = MakeBitmap(3, 2, clBlack);
  glyph->Canvas()->SetPixels(1, 0, clLime);
  EXPECT_EQ(glyph->TransparentColor(), clBlack);

  for (bool transparent : {false, true}) {
    auto target = MakeBitmap(5, 3, clRed);
    glyph->SetTransparent(transparent);
    target->Canvas()->Draw(1, 1, glyph.get());
    const auto legend = {std::pair{clRed, 'r'}, std::pair{clBlack, 'k'}, std::pair{clLime, 'g'}};
    EXPECT_EQ(Row(*target, 1, legend), transparent ? "rrgrr" : "rkgkr");
    EXPECT_EQ(Row(*target, 2, legend), transparent ? "rrrrr" : "rkkkr");
  }
  glyph->SetTransparentColor(clLime);
  EXPECT_EQ(glyph->TransparentMode(), tmFixed);
  auto target = MakeBitmap(3, 1, clRed);
  target->Canvas()->Draw(0, 0, glyph.get());
  EXPECT_EQ(Row(*target, 0, {std::pair{clRed, 'r'}, std::pair{clBlack, 'k'}}), "krk");
}

TEST(Canvas, BrushCopyLeavesOrFillsTheKeyColourByBrushStyle) {
  struct Case {
    TBrushStyle Style;
    const char* Expected;
  };
  auto strip = MakeBitmap(4, 1, clBlack);  // cell 0: black, lime; cell 1: lime, black
  strip->Canvas()->SetPixels(1, 0, clLime);
  strip->Canvas()->SetPixels(2, 0, clLime);
  for (const Case& c : {Case{bsClear, "rgrr"}, Case{bsSolid, "bgrr"}}) {
    auto target = MakeBitmap(4, 1, clRed);
    target->Canvas()->Brush()->SetColor(clBlue);
    target->Canvas()->Brush()->SetStyle(c.Style);
    target->Canvas()->BrushCopy({0, 0, 2, 1}, strip.get(), {0, 0, 2, 1}, clBlack);
    EXPECT_EQ(Row(*target, 0, {{clRed, 'r'}, {clLime, 'g'}, {clBlue, 'b'}}), c.Expected)
        << EnumName(c.Style);
  }
}

// A mask of one colour through CopyRect into a monochrome bitmap: the source
// canvas's brush colour is the colour that becomes white.
TEST(Canvas, CopyRectIntoMonochromeMarksTheSourceBrushColour) {
  auto src = MakeBitmap(3, 1, clGray);
  src->Canvas()->SetPixels(1, 0, clSilver);
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(3, 1);
  src->Canvas()->Brush()->SetColor(clSilver);
  mask.Canvas()->CopyRect({0, 0, 3, 1}, src->Canvas(), {0, 0, 3, 1});
  EXPECT_EQ(Row(mask, 0, {{clWhite, '1'}, {clBlack, '0'}}), "010");

  auto dst = MakeBitmap(3, 1, clRed);
  dst->Canvas()->SetCopyMode(cmSrcInvert);
  dst->Canvas()->CopyRect({0, 0, 3, 1}, src->Canvas(), {0, 0, 3, 1});
  EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clRed ^ clGray);
}

TEST(Canvas, ChangeEventsSurroundEveryDrawing) {
  auto b = MakeBitmap(2, 2, clWhite);
  std::string log;
  b->Canvas()->SetOnChanging([&](TObject*) { log += "<"; });
  b->Canvas()->SetOnChange([&](TObject*) { log += ">"; });
  b->Canvas()->FillRect({0, 0, 1, 1});
  b->Canvas()->SetPixels(1, 1, clRed);
  EXPECT_EQ(log, "<><>");
}

TEST(Canvas, LockKeepsOtherThreadsOut) {
  TCanvas canvas;
  canvas.Lock();
  canvas.Lock();
  EXPECT_EQ(canvas.LockCount(), 2);
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = canvas.TryLock(); }).join();
  EXPECT_FALSE(otherGotIt);
  canvas.Unlock();
  canvas.Unlock();
  EXPECT_EQ(canvas.LockCount(), 0);
  std::thread([&] {
    otherGotIt = canvas.TryLock();
    if (otherGotIt) canvas.Unlock();
  }).join();
  EXPECT_TRUE(otherGotIt);
}

// The bounds of the pixels that differ from `background`.
TRect InkBounds(TBitmap& b, TColor background) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Canvas()->Pixels(x, y) != background)
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
             std::max(r.Bottom, y + 1)};
  return r;
}

TEST(CanvasText, TextOutFillsTheCellInOpaqueModeAndMovesThePen) {
  auto b = MakeBitmap(80, 30, clWhite);
  TCanvas& c = *b->Canvas();
  c.Brush()->SetColor(clYellow);
  c.Font()->SetColor(clBlack);
  const TSize extent = c.TextExtent("Hello");
  EXPECT_GT(extent.cx, 10);
  EXPECT_EQ(extent.cy, c.TextHeight("Hello"));
  c.TextOut(3, 2, "Hello");
  EXPECT_EQ(c.PenPos(), (TPoint{3 + extent.cx, 2}));
  EXPECT_EQ(InkBounds(*b, clWhite), Bounds(3, 2, extent.cx, extent.cy));

  auto clear = MakeBitmap(80, 30, clWhite);
  clear->Canvas()->Brush()->SetStyle(bsClear);
  clear->Canvas()->TextOut(3, 2, "Hello");
  const TRect ink = InkBounds(*clear, clWhite);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 3);
  EXPECT_LE(ink.Right, 3 + extent.cx);
  EXPECT_EQ(clear->Canvas()->Pixels(3, 2), clWhite);  // no cell fill
}

TEST(CanvasText, DrawTextCalcRectAndCentring) {
  auto b = MakeBitmap(100, 40, clWhite);
  TCanvas& c = *b->Canvas();
  c.Brush()->SetStyle(bsClear);
  const TSize extent = c.TextExtent("Caption");
  TRect calc{5, 5, 5, 5};
  DrawText(c.Handle(), "Caption", calc, DT_CALCRECT);
  EXPECT_EQ(calc, Bounds(5, 5, extent.cx, extent.cy));

  TRect box{0, 0, 100, 40};
  DrawText(c.Handle(), "Caption", box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  const TRect ink = InkBounds(*b, clWhite);
  ASSERT_FALSE(ink.IsEmpty());
  // The text cell is centred; the ink lies inside that cell.
  const TRect cell = Bounds((100 - extent.cx) / 2, (40 - extent.cy) / 2, extent.cx, extent.cy);
  EXPECT_GE(ink.Left, cell.Left - 1);
  EXPECT_LE(ink.Right, cell.Right + 1);
  EXPECT_GE(ink.Top, cell.Top - 1);
  EXPECT_LE(ink.Bottom, cell.Bottom + 1);
  EXPECT_NEAR(ink.Left + ink.Right, 100, 4);
}

// Placement by flags, on a DC whose origin is not the surface's corner: the
// text cell lands at the flag's side of the rectangle, in logical coordinates.
TEST(CanvasText, DrawTextPlacesTheCellByFlags) {
  struct Case {
    uint32_t Flags;
    int Col, Row;  // 0 left/top, 1 centre, 2 right/bottom
  };
  const Case cases[] = {
      {DT_LEFT | DT_TOP, 0, 0},     {DT_CENTER | DT_TOP, 1, 0},     {DT_RIGHT | DT_TOP, 2, 0},
      {DT_LEFT | DT_VCENTER, 0, 1}, {DT_CENTER | DT_VCENTER, 1, 1}, {DT_RIGHT | DT_VCENTER, 2, 1},
      {DT_LEFT | DT_BOTTOM, 0, 2},  {DT_CENTER | DT_BOTTOM, 1, 2},  {DT_RIGHT | DT_BOTTOM, 2, 2},
  };
  for (const Case& c : cases) {
    BitmapImage frame(140, 70, 0xFFFFFF);
    HDC dc = CreateSurfaceDC(&frame, {10, 5});
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clYellow);  // opaque: the cell is filled, so it can be found
    const TSize extent = canvas.TextExtent("Wg");
    TRect box{0, 0, 120, 50};
    DrawText(canvas.Handle(), "Wg", box, DT_SINGLELINE | c.Flags);
    const int left = c.Col * (120 - extent.cx) / 2, top = c.Row * (50 - extent.cy) / 2;
    EXPECT_EQ(frame.At(10 + left, 5 + top), 0xFFFF00u) << c.Flags;
    EXPECT_EQ(frame.At(10 + left + extent.cx - 1, 5 + top + extent.cy - 1), 0xFFFF00u) << c.Flags;
    if (left > 0) {
      EXPECT_EQ(frame.At(10 + left - 1, 5 + top), 0xFFFFFFu) << c.Flags;
    }
    if (top > 0) {
      EXPECT_EQ(frame.At(10 + left, 5 + top - 1), 0xFFFFFFu) << c.Flags;
    }
    TRect calc{3, 4, 3, 4};
    DrawText(canvas.Handle(), "Wg", calc, DT_SINGLELINE | DT_CALCRECT | c.Flags);
    EXPECT_EQ(calc, Bounds(3, 4, extent.cx, extent.cy));
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
  }
}

}  // namespace
