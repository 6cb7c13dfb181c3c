#include "tests/support/HeadlessFixture.h"

namespace host::testing {

HeadlessPlatform& Headless() {
  static HeadlessPlatform* platform = [] {
    Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
    return HeadlessPlatform::Active();
  }();
  return *platform;
}

TForm* HeadlessTest::MakeForm(int left, int top, int width, int height) {
  auto* form = new TForm(nullptr);
  form->SetBounds(left, top, width, height);
  form->SetColor(clWhite);
  forms_.push_back(form);
  return form;
}

TColor HeadlessTest::PixelAt(const TCustomForm* form, int x, int y) {
  return static_cast<TColor>(SwapRedBlue(form->Framebuffer().At(x, y)));
}

LoggingGraphic::LoggingGraphic(TWinControl* parent, std::vector<std::string>* log, std::string name,
                               TColor fill, TRect bounds)
    : TGraphicControl(parent), Fill(fill), log_(log), name_(std::move(name)) {
  SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  FillPart = ClientRect();
  SetParent(parent);
}

void LoggingGraphic::Paint() {
  if (log_) log_->push_back(name_);
  Canvas()->Brush()->SetColor(Fill);
  Canvas()->FillRect(FillPart);
}

}  // namespace host::testing
