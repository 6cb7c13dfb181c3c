#include "tools/pixelart/ContactSheet.h"

#include <algorithm>

#include "tools/pixelart/PixelCanvas.h"
#include "tools/pixelart/PixelFont.h"

namespace pixelart {

namespace {
constexpr int kPad = 12;
}

ContactSheet::ContactSheet(int maxWidth, uint32_t background, uint32_t labelColour, int labelScale)
    : maxWidth_(maxWidth),
      background_(background),
      labelColour_(labelColour),
      labelScale_(labelScale),
      x_(kPad),
      y_(kPad) {}

int ContactSheet::ItemWidth(const Item& item) const {
  return std::max(item.image.Width * item.scale, TextWidth(item.label, labelScale_));
}

int ContactSheet::ItemHeight(const Item& item) const {
  return (kFontHeight + 2) * labelScale_ + item.image.Height * item.scale;
}

void ContactSheet::Add(const std::string& label, const host::BitmapImage& image, int scale) {
  Item item{label, image, scale, 0, 0};
  if (x_ > kPad && x_ + ItemWidth(item) > maxWidth_) NewRow();
  item.x = x_;
  item.y = y_;
  x_ += ItemWidth(item) + kPad;
  width_ = std::max(width_, x_);
  rowHeight_ = std::max(rowHeight_, ItemHeight(item));
  items_.push_back(std::move(item));
}

void ContactSheet::NewRow(const std::string& heading) {
  if (x_ > kPad) y_ += rowHeight_ + kPad;
  x_ = kPad;
  rowHeight_ = 0;
  if (!heading.empty()) {
    headings_.push_back({heading, y_});
    y_ += (kFontHeight + 3) * labelScale_;
    width_ = std::max(width_, kPad + TextWidth(heading, labelScale_) + kPad);
  }
}

host::BitmapImage ContactSheet::Render() const {
  const int height = y_ + rowHeight_ + kPad;
  host::BitmapImage sheet(width_, height, background_);
  PixelCanvas canvas(sheet);
  for (const Heading& h : headings_) DrawText(canvas, kPad, h.y, h.text, labelColour_, labelScale_);
  for (const Item& item : items_) {
    DrawText(canvas, item.x, item.y, item.label, labelColour_, labelScale_);
    const int top = item.y + (kFontHeight + 2) * labelScale_;
    for (int y = 0; y < item.image.Height; ++y)
      for (int x = 0; x < item.image.Width; ++x)
        canvas.Fill(item.x + x * item.scale, top + y * item.scale, item.scale, item.scale,
                    item.image.At(x, y) & 0xFFFFFF);
  }
  return sheet;
}

}  // namespace pixelart
