#pragma once
// Pixel helpers for paint tests: a bitmap of one colour to paint on, and an
// image read back as rows of characters, so an assertion reads like the
// picture it expects.
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/graphics/Bitmap.h"
#include "host/graphics/BitmapImage.h"

namespace host::testing {

// A bitmap of w × h pixels of one colour.
std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color);

// Which character stands for which colour.
using Legend = std::initializer_list<std::pair<TColor, char>>;

// One string per row of image: the legend's character where the pixel is its
// colour, `other` where it is none of them.
std::vector<std::string> AsciiRows(const BitmapImage& image, Legend legend, char other = '?');

}  // namespace host::testing
