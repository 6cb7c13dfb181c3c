#include "host/graphics/TextLayout.h"

#include <algorithm>

#include "host/graphics/TextClip.h"
#include "host/graphics/TextUtf8.h"

namespace host {

namespace {

// A byte range of a line's text.
struct ByteRange {
  size_t Begin;
  size_t End;
};

// A line of text ready to be placed, with the characters to underline.
struct Line {
  std::string Text;
  std::vector<ByteRange> Marks;
};

// Splits at "\r\n", "\n" and "\r". A line end at the very end of the text
// opens no further line; empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Removes the '&' prefixes: "&x" marks x for underlining, "&&" is a plain
// '&', and a '&' at the end of the line vanishes.
Line ResolvePrefixes(std::string_view source) {
  Line line;
  for (size_t pos = 0; pos < source.size();) {
    if (source[pos] != '&') {
      const size_t begin = pos;
      NextCodePoint(source, pos);
      line.Text.append(source.substr(begin, pos - begin));
      continue;
    }
    ++pos;
    if (pos == source.size()) break;
    if (source[pos] == '&') {
      line.Text += '&';
      ++pos;
      continue;
    }
    const size_t begin = pos;
    NextCodePoint(source, pos);
    line.Marks.push_back({line.Text.size(), line.Text.size() + (pos - begin)});
    line.Text.append(source.substr(begin, pos - begin));
  }
  return line;
}

// The part [begin, end) of a line, with the marks that fall inside it.
Line Slice(const Line& line, size_t begin, size_t end) {
  Line part{line.Text.substr(begin, end - begin), {}};
  for (const ByteRange& mark : line.Marks)
    if (mark.Begin >= begin && mark.End <= end)
      part.Marks.push_back({mark.Begin - begin, mark.End - begin});
  return part;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Breaks a line between words so that each piece fits width where it can; a
// word wider than width stands alone on its piece. The blanks at a break go.
void BreakWords(const FontFace& face, const Line& line, int width, std::vector<Line>& out) {
  const std::string& text = line.Text;
  size_t lineBegin = 0;
  size_t lineEnd = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    const size_t wordBegin = pos;
    while (pos < text.size() && !IsBlank(text[pos])) ++pos;
    if (wordBegin == pos) break;
    if (lineEnd > lineBegin &&
        MeasureTextWidth(face, std::string_view(text).substr(lineBegin, pos - lineBegin)) > width) {
      out.push_back(Slice(line, lineBegin, lineEnd));
      lineBegin = wordBegin;
    }
    lineEnd = pos;
  }
  out.push_back(Slice(line, lineBegin, std::max(lineBegin, lineEnd)));
}

// Cuts a line that is wider than width after the last character that still
// leaves room for "...", and appends the ellipsis.
void EndEllipsis(const FontFace& face, Line& line, int width) {
  if (MeasureTextWidth(face, line.Text) <= width) return;
  static constexpr std::string_view kEllipsis = "...";
  const int room = width - MeasureTextWidth(face, kEllipsis);
  const std::string_view text = line.Text;
  size_t cut = 0;
  int used = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t begin = pos;
    NextCodePoint(text, pos);
    used += MeasureTextWidth(face, text.substr(begin, pos - begin));
    if (used > room) break;
    cut = pos;
  }
  line = Slice(line, 0, cut);
  line.Text += kEllipsis;
}

}  // namespace

TextLayout LayoutText(const FontFace& face, std::string_view utf8, const TRect& rect,
                      uint32_t flags) {
  const bool singleLine = flags & DT_SINGLELINE;
  std::vector<Line> lines;
  std::vector<std::string_view> sources;
  if (!singleLine)
    sources = SplitLines(utf8);
  else if (!utf8.empty())
    sources.push_back(utf8);
  for (std::string_view source : sources) {
    Line line = flags & DT_NOPREFIX ? Line{std::string(source), {}} : ResolvePrefixes(source);
    if ((flags & DT_WORDBREAK) && !singleLine)
      BreakWords(face, line, rect.Width(), lines);
    else
      lines.push_back(std::move(line));
  }
  if (flags & DT_END_ELLIPSIS)
    for (Line& line : lines) EndEllipsis(face, line, rect.Width());

  TextLayout layout;
  layout.LineHeight = face.Height() + (flags & DT_EXTERNALLEADING ? face.ExternalLeading() : 0);
  layout.ClipToRect = !(flags & DT_NOCLIP);
  layout.Draws = !(flags & DT_CALCRECT);
  layout.Rect = rect;
  std::vector<int> widths;
  for (const Line& line : lines) widths.push_back(MeasureTextWidth(face, line.Text));
  const int total = layout.LineHeight * static_cast<int>(lines.size());
  if (flags & DT_CALCRECT) {
    layout.Rect.Right = rect.Left + (widths.empty() ? 0 : *std::ranges::max_element(widths));
    layout.Rect.Bottom = rect.Top + total;
  }
  const TRect& r = layout.Rect;

  int y = r.Top;
  if (singleLine && (flags & DT_VCENTER))
    y = r.Top + (r.Height() - layout.LineHeight) / 2;
  else if (singleLine && (flags & DT_BOTTOM))
    y = r.Bottom - layout.LineHeight;
  layout.Height = y + total - r.Top;

  for (size_t i = 0; i < lines.size(); ++i, y += layout.LineHeight) {
    const int width = widths[i];
    int x = r.Left;
    if (flags & DT_CENTER)
      x = r.Left + (r.Width() - width) / 2;
    else if (flags & DT_RIGHT)
      x = r.Right - width;
    TextLine& out = layout.Lines.emplace_back();
    out.Cell = {x, y, x + width, y + layout.LineHeight};
    const std::string_view text = lines[i].Text;
    for (const ByteRange& mark : lines[i].Marks)
      out.Underlines.emplace_back(x + MeasureTextWidth(face, text.substr(0, mark.Begin)),
                                  x + MeasureTextWidth(face, text.substr(0, mark.End)));
    out.Text = std::move(lines[i].Text);
  }
  return layout;
}

void RenderTextLayout(BitmapImage& surface, std::span<const TRect> clip, const TextLayout& layout,
                      const FontFace& face, uint32_t rgb) {
  if (!layout.Draws) return;
  const std::vector<TRect> parts = layout.ClipToRect ? ClipParts(clip, layout.Rect)
                                                     : std::vector<TRect>(clip.begin(), clip.end());
  for (const TextLine& line : layout.Lines) {
    RenderText(surface, parts, line.Cell.Left, line.Cell.Top, face, line.Text, rgb);
    for (const auto& [x0, x1] : line.Underlines)
      RenderUnderline(surface, parts, x0, x1, line.Cell.Top, face, rgb);
  }
}

}  // namespace host
