#include <gtest/gtest.h>

#include <vector>

#include "host/graphics/TextUtf8.h"

using namespace host;

namespace {

std::vector<char32_t> Decode(std::string_view text) {
  std::vector<char32_t> out;
  for (size_t pos = 0; pos < text.size();) out.push_back(NextCodePoint(text, pos));
  return out;
}

TEST(TextUtf8, DecodesValidAndReplacesMalformedSequences) {
  constexpr char32_t R = kReplacementChar;
  struct Case {
    const char* name;
    std::string_view text;
    std::vector<char32_t> expected;
  };
  const Case cases[] = {
      {"ascii", "Ab", {U'A', U'b'}},
      {"two bytes", "\xC3\x84", {0xC4}},
      {"three bytes", "\xE2\x82\xAC", {0x20AC}},
      {"four bytes", "\xF0\x9F\x98\x80", {0x1F600}},
      {"truncated", "\xC3", {R}},
      {"truncated then ascii", "\xE2\x82Z", {R, R, U'Z'}},
      {"stray continuation",
       "\x84"
       "A",
       {R, U'A'}},
      {"overlong", "\xC0\x80", {R, R}},
      {"surrogate", "\xED\xA0\x80", {R, R, R}},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"invalid lead", "\xFF", {R}},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.text), c.expected) << c.name;
}

}  // namespace
