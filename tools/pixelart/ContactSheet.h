#pragma once
// Lays labelled images out in rows on one picture, scaled up with whole-pixel
// blocks so that every pixel of the artwork stays visible.
#include <string>
#include <vector>

#include "host/graphics/BitmapImage.h"

namespace pixelart {

class ContactSheet {
 public:
  ContactSheet(int maxWidth, uint32_t background, uint32_t labelColour, int labelScale = 2);
  // Adds an image shown at scale × its size, with the label above it.
  void Add(const std::string& label, const host::BitmapImage& image, int scale);
  // Ends the current row; a heading, when given, stands on a line of its own.
  void NewRow(const std::string& heading = "");
  host::BitmapImage Render() const;

 private:
  struct Item {
    std::string label;
    host::BitmapImage image;
    int scale;
    int x, y;
  };
  struct Heading {
    std::string text;
    int y;
  };
  int ItemWidth(const Item& item) const;
  int ItemHeight(const Item& item) const;

  int maxWidth_;
  uint32_t background_, labelColour_;
  int labelScale_;
  std::vector<Item> items_;
  std::vector<Heading> headings_;
  int x_, y_, rowHeight_ = 0, width_ = 0;
};

}  // namespace pixelart
