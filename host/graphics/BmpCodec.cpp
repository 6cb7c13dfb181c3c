#include "host/graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <unordered_map>

#include "host/base/SysUtils.h"
#include "host/graphics/BmpRle.h"

namespace host {

void RaiseInvalidBitmap(const std::string& detail) {
  throw EInvalidGraphic("Bitmap image is not valid: " + detail);
}

namespace {

// Larger images are refused before anything is allocated: a 20-byte file must
// not be able to ask for gigabytes.
constexpr int32_t kMaxSide = 32768;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // OS/2 1.x BITMAPCOREHEADER
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// One colour channel of a BI_BITFIELDS mask, scaled to 8 bits on extraction.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (bits + shift < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  uint32_t Extract(uint32_t v) const {
    if (!bits) return 0;
    const uint32_t c = (v & mask) >> shift;
    if (bits >= 8) return (c >> (bits - 8)) & 0xFF;
    const uint32_t max = (1u << bits) - 1;
    return (c * 255 + max / 2) / max;
  }
};

struct Header {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown says which way rows run
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = BI_RGB;
  std::array<uint32_t, 3> masks{};  // red, green, blue
  size_t paletteOffset = 0;
  size_t paletteEntrySize = 4;
  size_t paletteEntries = 0;
  size_t pixelOffset = 0;
};

// Reads the red, green and blue masks and refuses any the format cannot mean:
// a channel is one run of bits inside the pixel, apart from the others. (A
// channel may be empty; it then reads as 0.)
void ReadMasks(const uint8_t* data, size_t size, size_t offset, Header& h) {
  if (offset > size || size - offset < 12) RaiseInvalidBitmap("colour masks truncated");
  for (int i = 0; i < 3; ++i) h.masks[i] = U32(data + offset + 4 * i);
  const uint64_t pixelBits = (uint64_t{1} << h.bpp) - 1;
  uint32_t seen = 0;
  for (uint32_t m : h.masks) {
    if (m & ~pixelBits)
      RaiseInvalidBitmap(Format("colour mask %08X is wider than %d bits per pixel", m, h.bpp));
    const uint32_t run = m >> std::countr_zero(m | 0x80000000u);
    if (run & (run + 1)) RaiseInvalidBitmap(Format("colour mask %08X is not contiguous", m));
    if (m & seen) RaiseInvalidBitmap(Format("colour mask %08X overlaps another", m));
    seen |= m;
  }
}

void CheckDimensions(int64_t width, int64_t height) {
  if (width <= 0) RaiseInvalidBitmap(Format("width %lld is not positive", (long long)width));
  if (height == 0) RaiseInvalidBitmap("height is 0");
  const int64_t rows = height < 0 ? -height : height;
  if (width > kMaxSide || rows > kMaxSide || width * rows > kMaxBitmapPixels)
    RaiseInvalidBitmap(
        Format("%lld x %lld pixels is larger than supported", (long long)width, (long long)rows));
}

Header ReadHeader(const uint8_t* data, size_t size) {
  if (size < kFileHeaderSize)
    RaiseInvalidBitmap(Format("file header truncated (%zu of 14 bytes)", size));
  if (data[0] != 'B' || data[1] != 'M') RaiseInvalidBitmap("missing 'BM' signature");
  if (size < kFileHeaderSize + 4) RaiseInvalidBitmap("info header truncated");
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = U32(info);
  const bool core = infoSize == kCoreHeaderSize;
  if (!core && infoSize != kInfoHeaderSize && infoSize != 52 && infoSize != 56 && infoSize != 64 &&
      infoSize != 108 && infoSize != 124)
    RaiseInvalidBitmap(Format("unsupported info header size %u", infoSize));
  if (size - kFileHeaderSize < infoSize)
    RaiseInvalidBitmap(Format("info header truncated (needs %u bytes, has %zu)", infoSize,
                              size - kFileHeaderSize));

  Header h;
  int64_t width, height;
  uint32_t colorsUsed = 0;
  if (core) {
    width = U16(info + 4);
    height = U16(info + 6);
    h.bpp = U16(info + 10);
    h.paletteEntrySize = 3;
  } else {
    width = int32_t(U32(info + 4));
    height = int32_t(U32(info + 8));
    h.bpp = U16(info + 14);
    h.compression = U32(info + 16);
    colorsUsed = U32(info + 32);
  }
  CheckDimensions(width, height);
  h.width = int32_t(width);
  h.topDown = height < 0;
  h.height = int32_t(height < 0 ? -height : height);

  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
    RaiseInvalidBitmap(Format("unsupported bit depth %d", h.bpp));

  size_t afterHeader = kFileHeaderSize + infoSize;
  switch (h.compression) {
    case BI_RGB:
      if (h.bpp == 16) h.masks = {0x7C00, 0x03E0, 0x001F};
      if (h.bpp == 32) h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
      break;
    case BI_RLE8:
    case BI_RLE4: {
      const int needed = h.compression == BI_RLE8 ? 8 : 4;
      if (h.bpp != needed || infoSize == 64)
        RaiseInvalidBitmap(Format("RLE%d compression with %d bits per pixel", needed, h.bpp));
      if (h.topDown) RaiseInvalidBitmap("a compressed bitmap cannot be top-down");
      break;
    }
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if ((h.bpp != 16 && h.bpp != 32) || infoSize == 64)
        RaiseInvalidBitmap(Format("bit-field compression with %d bits per pixel", h.bpp));
      ReadMasks(data, size, kFileHeaderSize + kInfoHeaderSize, h);
      // A plain info header is followed by the masks (three, or four with alpha).
      if (infoSize == kInfoHeaderSize) afterHeader += h.compression == BI_BITFIELDS ? 12 : 16;
      break;
    default:
      RaiseInvalidBitmap(Format("unsupported compression %u", h.compression));
  }

  h.paletteOffset = afterHeader;
  const uint32_t offBits = U32(data + 10);
  h.pixelOffset = offBits ? offBits : afterHeader;

  if (h.bpp <= 8) {
    const size_t maxEntries = size_t{1} << h.bpp;
    size_t entries = colorsUsed ? std::min<size_t>(colorsUsed, maxEntries) : maxEntries;
    // A core header has no count: the table fills the room before the pixels.
    if (core && h.pixelOffset > afterHeader)
      entries = std::min(maxEntries, (h.pixelOffset - afterHeader) / h.paletteEntrySize);
    if (afterHeader > size || (size - afterHeader) / h.paletteEntrySize < entries)
      RaiseInvalidBitmap(
          Format("colour table truncated (needs %zu entries, file ends after %zu)", entries,
                 afterHeader > size ? 0 : (size - afterHeader) / h.paletteEntrySize));
    h.paletteEntries = entries;
  }
  if (h.pixelOffset > size)
    RaiseInvalidBitmap(Format("pixel data offset %zu lies past the end of the file (%zu bytes)",
                              h.pixelOffset, size));
  return h;
}

std::vector<uint32_t> ReadPalette(const uint8_t* data, const Header& h) {
  std::vector<uint32_t> palette(h.paletteEntries);
  for (size_t i = 0; i < palette.size(); ++i) {
    const uint8_t* e = data + h.paletteOffset + i * h.paletteEntrySize;
    palette[i] = uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
  }
  return palette;
}

TPixelFormat FormatOf(const Header& h) {
  switch (h.bpp) {
    case 1:
      return pf1bit;
    case 4:
      return pf4bit;
    case 8:
      return pf8bit;
    case 16:
      return h.masks[1] == 0x07E0 ? pf16bit : pf15bit;
    case 24:
      return pf24bit;
    default:
      return pf32bit;
  }
}

// An index past the end of a short colour table shows black.
std::array<uint32_t, 256> LookupTable(const std::vector<uint32_t>& palette) {
  std::array<uint32_t, 256> lut{};
  std::copy(palette.begin(), palette.end(), lut.begin());
  return lut;
}

void DecodeRleData(const uint8_t* data, size_t size, const Header& h, BitmapImage& image) {
  const std::vector<uint8_t> indices =
      DecodeRle(data + h.pixelOffset, size - h.pixelOffset, h.width, h.height, h.bpp);
  const auto lut = LookupTable(image.Palette);
  for (int32_t r = 0; r < h.height; ++r) {
    const uint8_t* src = indices.data() + size_t(r) * h.width;
    uint32_t* dst = image.Row(h.height - 1 - r);
    for (int32_t x = 0; x < h.width; ++x) dst[x] = lut[src[x]];
  }
}

void DecodeRow(const uint8_t* src, const Header& h, const std::array<uint32_t, 256>& lut,
               uint32_t* dst) {
  const int32_t w = h.width;
  switch (h.bpp) {
    case 1:
      for (int32_t x = 0; x < w; ++x) dst[x] = lut[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int32_t x = 0; x < w; ++x) dst[x] = lut[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4];
      break;
    case 8:
      for (int32_t x = 0; x < w; ++x) dst[x] = lut[src[x]];
      break;
    case 24:
      for (int32_t x = 0; x < w; ++x, src += 3)
        dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
      break;
    default: {  // 16 and 32 bits through the channel masks
      const Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]);
      const int step = h.bpp / 8;
      for (int32_t x = 0; x < w; ++x, src += step) {
        const uint32_t v = step == 2 ? U16(src) : U32(src);
        dst[x] = r.Extract(v) << 16 | g.Extract(v) << 8 | b.Extract(v);
      }
    }
  }
}

void DecodeRawData(const uint8_t* data, size_t size, const Header& h, BitmapImage& image) {
  const uint64_t rowBits = uint64_t(h.width) * h.bpp;
  const uint64_t stride = (rowBits + 31) / 32 * 4;
  // The last row's padding is often left out; only the bytes read must exist.
  const uint64_t needed = stride * (h.height - 1) + (rowBits + 7) / 8;
  const size_t available = size - h.pixelOffset;
  if (needed > available)
    RaiseInvalidBitmap(Format("pixel data truncated (needs %llu bytes, has %zu)",
                              (unsigned long long)needed, available));
  const auto lut = LookupTable(image.Palette);
  for (int32_t r = 0; r < h.height; ++r) {
    const int32_t y = h.topDown ? r : h.height - 1 - r;
    DecodeRow(data + h.pixelOffset + r * stride, h, lut, image.Row(y));
  }
}

// The colour table to save with: the image's own when it holds every colour,
// else the colours in order of first appearance.
std::vector<uint32_t> ChoosePalette(const BitmapImage& image, int bpp) {
  const size_t maxColours = size_t{1} << bpp;
  if (!image.Palette.empty() && image.Palette.size() <= maxColours) {
    std::vector<uint32_t> sorted(image.Palette);
    for (uint32_t& c : sorted) c &= 0xFFFFFF;
    std::sort(sorted.begin(), sorted.end());
    const bool coversAll = std::all_of(image.Pixels.begin(), image.Pixels.end(), [&](uint32_t p) {
      return std::binary_search(sorted.begin(), sorted.end(), p & 0xFFFFFF);
    });
    if (coversAll) {
      std::vector<uint32_t> own(image.Palette);
      for (uint32_t& c : own) c &= 0xFFFFFF;
      return own;
    }
  }
  std::vector<uint32_t> palette;
  std::unordered_map<uint32_t, bool> seen;
  for (uint32_t p : image.Pixels) {
    p &= 0xFFFFFF;
    if (!seen.emplace(p, true).second) continue;
    if (palette.size() == maxColours)
      throw EInvalidGraphic(Format(
          "Cannot save an image of more than %zu colours as a %d-bit bitmap", maxColours, bpp));
    palette.push_back(p);
  }
  return palette;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

int BitsPerPixelFor(TPixelFormat format) {
  switch (format) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf32bit:
      return 32;
    default:
      return 24;
  }
}

}  // namespace

bool LooksLikeBmp(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

BitmapImage DecodeBmp(const uint8_t* data, size_t size) {
  const Header h = ReadHeader(data, size);
  BitmapImage image(h.width, h.height);
  image.PixelFormat = FormatOf(h);
  image.Palette = ReadPalette(data, h);
  if (h.compression == BI_RLE8 || h.compression == BI_RLE4)
    DecodeRleData(data, size, h, image);
  else
    DecodeRawData(data, size, h, image);
  return image;
}

std::vector<uint8_t> EncodeBmp(const BitmapImage& image) {
  if (image.Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
  if (image.Pixels.size() != size_t(image.Width) * image.Height)
    throw EInvalidGraphic("Cannot save a bitmap whose pixels do not match its size");
  const int bpp = BitsPerPixelFor(image.PixelFormat);
  const std::vector<uint32_t> palette =
      bpp <= 8 ? ChoosePalette(image, bpp) : std::vector<uint32_t>{};
  const uint64_t stride = (uint64_t(image.Width) * bpp + 31) / 32 * 4;
  const uint64_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * palette.size();
  const uint64_t fileSize = pixelOffset + stride * image.Height;
  if (fileSize > UINT32_MAX) throw EInvalidGraphic("Bitmap too large to save");

  std::vector<uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, uint32_t(fileSize));
  Put32(out, 0);  // reserved
  Put32(out, uint32_t(pixelOffset));
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(image.Width));
  Put32(out, uint32_t(image.Height));  // positive: bottom-up rows
  Put16(out, 1);                       // planes
  Put16(out, uint16_t(bpp));
  Put32(out, BI_RGB);
  Put32(out, uint32_t(stride * image.Height));
  Put32(out, 0);  // horizontal resolution: unspecified
  Put32(out, 0);  // vertical resolution: unspecified
  Put32(out, uint32_t(palette.size()));
  Put32(out, 0);  // all colours important
  for (uint32_t c : palette) Put32(out, c);

  std::unordered_map<uint32_t, uint8_t> indexOf;
  for (size_t i = palette.size(); i-- > 0;) indexOf[palette[i]] = uint8_t(i);  // first wins
  for (int32_t y = image.Height - 1; y >= 0; --y) {
    const uint32_t* src = image.Row(y);
    const size_t rowStart = out.size();
    out.resize(rowStart + stride, 0);
    uint8_t* dst = out.data() + rowStart;
    for (int32_t x = 0; x < image.Width; ++x) {
      const uint32_t p = src[x] & 0xFFFFFF;
      switch (bpp) {
        case 1:
          dst[x >> 3] |= uint8_t(indexOf[p] << (7 - (x & 7)));
          break;
        case 4:
          dst[x >> 1] |= uint8_t((x & 1) ? indexOf[p] : indexOf[p] << 4);
          break;
        case 8:
          dst[x] = indexOf[p];
          break;
        default: {
          uint8_t* d = dst + x * (bpp / 8);
          d[0] = uint8_t(p);
          d[1] = uint8_t(p >> 8);
          d[2] = uint8_t(p >> 16);
        }
      }
    }
  }
  return out;
}

}  // namespace host
