#pragma once
// Decoding UTF-8 text one code point at a time, for the font engine and the
// text layout.
#include <cstddef>
#include <string_view>

namespace host {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at text[pos] and moves pos past it. A malformed or
// truncated sequence, an overlong form or a surrogate gives U+FFFD and
// consumes one byte, so decoding always makes progress. pos < text.size().
char32_t NextCodePoint(std::string_view text, size_t& pos);

}  // namespace host
