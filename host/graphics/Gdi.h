#pragma once
// The Win32 GDI calls the components use, on device contexts of our own.
//
// A device context (HDC) draws onto a surface — a bitmap selected into a
// memory DC, or a window's part of a form's framebuffer — with an origin (the
// surface position of its logical (0, 0)), a clip region, the selected pen,
// brush and font, text and background colours, the background mode and the
// current position. Drawing follows GDI to the pixel: fills and rectangles
// leave out their right and bottom edges, lines their last point, and BitBlt
// evaluates any of the 256 ternary raster operations.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/Color.h"
#include "host/graphics/GdiObjects.h"
#include "host/graphics/Region.h"

namespace host {

class FontFace;
using HFONT = const FontFace*;
using DWORD = uint32_t;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Binary raster operations of pens (SetROP2).
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;

// Ternary raster operations of blits: bits 16–23 are the truth table indexed by
// (pattern << 2 | source << 1 | destination); the low word is Windows' encoding.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;
// Where the source is set the pattern, elsewhere the destination (DSPDxax).
inline constexpr DWORD ROP_DSPDxax = 0x00E20746;

struct DeviceContext {
  BitmapImage* Surface = nullptr;  // nullptr: nothing to draw on
  TPoint Origin;                   // surface position of logical (0, 0)
  // Surface coordinates; nullopt means the whole surface.
  std::optional<Region> Clip;

  LogPen Pen;
  LogBrush Brush;
  HPEN PenHandle = nullptr;  // the handles SelectObject hands back
  HBRUSH BrushHandle = nullptr;
  HFONT Font = nullptr;  // nullptr: the default font
  COLORREF TextColor = 0x000000;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  TPoint Position;
  int PenStylePhase = 0;  // where a dashed pen is in its pattern

  // A memory DC owns the bitmap it starts with (1 × 1 monochrome, as GDI's).
  bool IsMemory = false;
  BitmapImage StockBitmap;
};
using HDC = DeviceContext*;

// A memory DC (for any hdc, or 0), with a 1 × 1 monochrome bitmap selected.
HDC CreateCompatibleDC(HDC hdc);
// A DC on any surface: a window's DC on a form's framebuffer is made this way,
// with the window's position as origin and its visible part as clip (both in
// surface coordinates; no clip = the whole surface). The surface must outlive it.
HDC CreateSurfaceDC(BitmapImage* surface, TPoint origin, const Region* clip = nullptr);
bool DeleteDC(HDC hdc);
// The device contexts made and not yet deleted, process-wide: what a leak
// check compares before and after.
int64_t LiveDeviceContexts();

// Owns a DC and deletes it when the scope ends, however it ends. Window DCs
// are freed this way too: ReleaseDC is DeleteDC on this host.
struct DCDeleter {
  void operator()(HDC hdc) const { DeleteDC(hdc); }
};
using UniqueDC = std::unique_ptr<DeviceContext, DCDeleter>;

// A bitmap of the DC's kind: monochrome when hdc's surface is (or hdc is 0).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateBitmap(int width, int height, bool monochrome);
bool DeleteObject(HBITMAP bitmap);
HPEN CreatePen(TPenStyle style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
bool DeleteObject(HPEN pen);
bool DeleteObject(HBRUSH brush);

// Selecting returns the previous object. A bitmap can only go into a memory DC;
// selecting one anywhere else returns nullptr and changes nothing.
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
HPEN SelectObject(HDC hdc, HPEN pen);
HBRUSH SelectObject(HDC hdc, HBRUSH brush);
HFONT SelectObject(HDC hdc, HFONT font);
HBITMAP GetCurrentBitmap(HDC hdc);

COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);

// The clip area's bounds in logical coordinates; returns false when it is empty.
bool GetClipBox(HDC hdc, TRect& rect);
// Narrows the clip region to a logical rectangle.
void IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);

// Fills rect (right and bottom excluded) with brush; a clear brush paints nothing.
int FillRect(HDC hdc, const TRect& rect, HBRUSH brush);
// Paints the block of colors.size() columns from (x, y), h lines down, with
// the same line on every row: column x + i in colors[i], as a FillRect of that
// one-pixel column with a solid brush of the colour would. A row of colours
// is thus drawn down a whole block in one pass (a left-to-right gradient, say).
bool FillColumns(HDC hdc, int x, int y, int h, std::span<const COLORREF> colors);
bool MoveToEx(HDC hdc, int x, int y, TPoint* previous);
// A line from the current position to (x, y), which becomes the current
// position; a one-pixel pen leaves (x, y) unpainted.
bool LineTo(HDC hdc, int x, int y);
// Lines through the points, leaving the last point; the current position stays.
bool Polyline(HDC hdc, const TPoint* points, int count);
// Frame with the pen, inside filled with the brush; right and bottom excluded.
bool Rectangle(HDC hdc, int left, int top, int right, int bottom);
COLORREF GetPixel(HDC hdc, int x, int y);  // CLR_INVALID outside the clip
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Copies a w × h block from src at (xSrc, ySrc) to dst at (x, y) through rop.
// A monochrome source becomes dst's text colour (black) and background
// colour (white); a colour source into a monochrome destination becomes white
// where it equals src's background colour, else black. The pattern is dst's brush.
bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop);
// The same with scaling by nearest pixel from a wSrc × hSrc block.
bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);
// A blit (scaled like StretchBlt) that leaves dst unchanged where the source
// pixel has colour `key`; with `fill` given, those pixels take the fill colour
// instead.
bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc,
                    int hSrc, COLORREF key, std::optional<COLORREF> fill = std::nullopt);

// Text in the DC's font and text colour; in OPAQUE mode the text cell is
// filled with the background colour first.
bool TextOut(HDC hdc, int x, int y, std::string_view text);
// Width and height of a line of text in the DC's font.
TSize GetTextExtent(HDC hdc, std::string_view text);
// DrawText with DT_ flags (host/graphics/TextLayout.h); returns the text height.
int DrawText(HDC hdc, std::string_view text, TRect& rect, uint32_t flags);

// Rectangle helpers.
void SetRect(TRect& rect, int left, int top, int right, int bottom);
void InflateRect(TRect& rect, int dx, int dy);
void OffsetRect(TRect& rect, int dx, int dy);
// dst = the common part of a and b; false (and dst empty) when there is none.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
// dst = the smallest rectangle holding both; empty rectangles do not count.
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
bool PtInRect(const TRect& rect, TPoint p);
bool IsRectEmpty(const TRect& rect);

}  // namespace host
