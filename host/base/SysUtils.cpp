#include "host/base/SysUtils.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace host {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

static char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
static char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ca = AsciiUpper(a[i]), cb = AsciiUpper(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

std::string Trim(std::string_view s) {
  size_t begin = 0, end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return std::string(s.substr(begin, end - begin));
}

std::string IntToStr(long long value) { return std::to_string(value); }

int32_t StrToInt(std::string_view s) {
  const std::string text = Trim(s);
  if (!text.empty()) {
    char* end = nullptr;
    errno = 0;
    const bool hex = text[0] == '$';
    const long long v = std::strtoll(text.c_str() + (hex ? 1 : 0), &end, hex ? 16 : 10);
    if (errno == 0 && end && *end == '\0' && end != text.c_str() + (hex ? 1 : 0) &&
        v >= INT32_MIN && v <= (hex ? (long long)UINT32_MAX : INT32_MAX))
      return static_cast<int32_t>(v);
  }
  throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace host
