// TImage drawing into its picture; TScrollBox moving its children.
#include "host/controls/ExtCtrls.h"
#include "host/platform/VirtualKeys.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class ImageScrollBoxTest : public HeadlessTest {};

TEST_F(ImageScrollBoxTest, ImageCanvasDrawsIntoThePictureWhichIsShown) {
  TForm* form = MakeForm(100, 100, 200, 150);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 10, 40, 30);
  image->Canvas()->Brush()->SetColor(clRed);
  image->Canvas()->FillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(image->Picture()->Width(), 40);
  EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(5, 5), clRed);
  form->Show();
  Pump();
  EXPECT_EQ(PixelAt(form, 12, 12), clRed);
  EXPECT_EQ(PixelAt(form, 60, 12), clWhite);

  // Stretched, the picture fills a larger control.
  image->SetBounds(10, 10, 80, 60);
  image->SetStretch(true);
  Pump();
  EXPECT_EQ(PixelAt(form, 85, 65), clRed);
}

TEST_F(ImageScrollBoxTest, ImageAutoSizeTakesThePicturesSize) {
  TImage image(nullptr);
  image.SetAutoSize(true);
  image.Picture()->Bitmap()->SetSize(33, 22);
  EXPECT_EQ(image.Width(), 33);
  EXPECT_EQ(image.Height(), 22);
}

TEST_F(ImageScrollBoxTest, ScrollBoxScrollsItsChildrenWithinTheRange) {
  TForm* form = MakeForm(100, 100, 300, 250);
  auto* box = new TScrollBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 104, 104);  // a 100×100 view inside the frame
  auto* far = new TPanel(form);
  far->SetParent(box);
  far->SetBounds(2 + 50, 2 + 250, 30, 50);  // content 300 pixels high
  form->Show();
  Pump();
  TControlScrollBar* v = box->VertScrollBar();
  EXPECT_EQ(v->Range(), 300);
  EXPECT_TRUE(v->IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->ViewRect(), Rect(2, 2, 102 - TScrollBox::kBarSize, 102));

  v->SetPosition(120);
  EXPECT_EQ(far->Top(), 2 + 250 - 120);
  v->SetPosition(10000);  // clamped to the end
  EXPECT_EQ(v->Position(), 200);
  EXPECT_EQ(far->Top() + far->Height(), 102);
  EXPECT_EQ(v->Range(), 300);  // the range does not move with the content

  v->SetPosition(0);
  box->ScrollInView(far);
  EXPECT_EQ(far->Top() + far->Height(), 102);
}

TEST_F(ImageScrollBoxTest, WithoutAutoScrollChildrenMoveFreelyAndNoBarShows) {
  TScrollBox box(nullptr);
  box.SetBounds(0, 0, 100, 50);
  box.SetAutoScroll(false);
  box.SetBorderStyle(bsNone);
  auto* strip = new TPanel(&box);
  strip->SetParent(&box);
  strip->SetBounds(0, 0, 400, 50);
  strip->SetLeft(-250);  // a carousel slides its strip itself
  EXPECT_EQ(strip->Left(), -250);
  EXPECT_FALSE(box.HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box.ViewRect(), Rect(0, 0, 100, 50));
}

}  // namespace
}  // namespace host::testing
