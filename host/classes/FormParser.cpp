#include "host/classes/FormParser.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "host/base/SysUtils.h"

namespace host {

namespace {

// Deeper nesting than any real form; keeps the recursion bounded.
constexpr int kMaxDepth = 256;

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c) || c == '.'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The line of the first byte that makes the text something other than UTF-8
// text (a NUL byte or a broken sequence), or 0 when it is text.
int FirstNonTextLine(std::string_view s) {
  const size_t bad = std::min(InvalidUtf8Offset(s), s.find('\0'));
  if (bad == std::string_view::npos) return 0;
  return 1 + static_cast<int>(
                 std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
}

std::string Quoted(std::string_view s) {
  constexpr size_t kMax = 40;
  std::string out = "'";
  out += s.size() > kMax ? std::string(s.substr(0, kMax)) + "…" : std::string(s);
  return out + "'";
}

struct Token {
  enum TKind : uint8_t { tEnd, tIdent, tInteger, tFloat, tString, tSymbol };
  TKind Kind = tEnd;
  char Symbol = 0;
  bool Hex = false;
  int Line = 1;
  int64_t Int = 0;
  double Float = 0;
  std::string Text;  // identifier, string value, or the number as written
};

class Parser {
 public:
  Parser(std::string_view text, std::string_view fileName, int firstLine = 1)
      : s_(text), file_(fileName), line_(firstLine) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // a UTF-8 byte-order mark
    if (const int line = FirstNonTextLine(s_.substr(pos_)))
      Fail(line, "expected a text form file, found binary data");
    Advance();
  }

  TFormObject Root() {
    TFormObject root = Object(0);
    if (tok_.Kind != Token::tEnd) Expected("end of file");
    return root;
  }

  TFormProperty LoneProperty() {
    if (tok_.Kind != Token::tIdent) Expected("a property name");
    TFormProperty p = Property();
    if (tok_.Kind != Token::tEnd) Expected("end of line");
    return p;
  }

 private:
  [[noreturn]] void Fail(int line, std::string_view message) const {
    throw EReadError(FormErrorText(file_, line, message));
  }
  [[noreturn]] void Expected(std::string_view what) const {
    Fail(tok_.Line, "expected " + std::string(what) + ", found " + Describe(tok_));
  }
  static std::string Describe(const Token& t) {
    switch (t.Kind) {
      case Token::tEnd:
        return "end of file";
      case Token::tString:
        return "string " + Quoted(t.Text);
      case Token::tSymbol:
        return std::string("'") + t.Symbol + "'";
      default:
        return Quoted(t.Text);
    }
  }
  bool IsKeyword(std::string_view word) const {
    return tok_.Kind == Token::tIdent && SameText(tok_.Text, word);
  }
  bool IsSymbol(char c) const { return tok_.Kind == Token::tSymbol && tok_.Symbol == c; }

  TFormObject Object(int depth) {
    if (depth >= kMaxDepth)
      Fail(tok_.Line,
           "expected at most " + std::to_string(kMaxDepth) + " nested objects, found more");
    if (!IsKeyword("object")) Expected("'object'");
    TFormObject obj;
    obj.Line = tok_.Line;
    Advance();
    obj.ClassName = SimpleIdent("a component name or class name");
    if (IsSymbol(':')) {
      Advance();
      obj.Name = std::move(obj.ClassName);
      obj.ClassName = SimpleIdent("a class name");
    }
    for (;;) {
      if (IsKeyword("end")) {
        Advance();
        return obj;
      }
      if (IsKeyword("object")) {
        obj.Children.push_back(Object(depth + 1));
      } else if (tok_.Kind == Token::tIdent) {
        obj.Properties.push_back(Property());
      } else if (tok_.Kind == Token::tEnd) {
        const std::string name = obj.Name.empty() ? obj.ClassName : obj.Name;
        Expected("'end' of object " + name + " (line " + std::to_string(obj.Line) + ")");
      } else {
        Expected("a property, 'object' or 'end'");
      }
    }
  }

  std::string SimpleIdent(std::string_view what) {
    if (tok_.Kind != Token::tIdent || tok_.Text.find('.') != std::string::npos) Expected(what);
    std::string out = std::move(tok_.Text);
    Advance();
    return out;
  }

  TFormProperty Property() {
    TFormProperty p;
    p.Line = tok_.Line;
    const std::string& name = tok_.Text;
    if (name.back() == '.' || name.find("..") != std::string::npos) Expected("a property name");
    p.Name = std::move(tok_.Text);
    Advance();
    if (!IsSymbol('=')) Expected("'=' after " + p.Name);
    Advance();
    p.Value = Value();
    return p;
  }

  TFormValue Value() {
    TFormValue v;
    switch (tok_.Kind) {
      case Token::tInteger:
        v.Kind = TFormValue::vkInteger;
        v.Int = tok_.Int;
        v.Hex = tok_.Hex;
        v.Text = tok_.Text;
        Advance();
        return v;
      case Token::tFloat:
        v.Kind = TFormValue::vkFloat;
        v.Float = tok_.Float;
        v.Text = tok_.Text;
        Advance();
        return v;
      case Token::tString:
        v.Kind = TFormValue::vkString;
        v.Str = StringValue();
        v.Text = Quoted(v.Str);
        return v;
      case Token::tIdent:
        v.Kind = TFormValue::vkIdent;
        v.Str = std::move(tok_.Text);
        v.Text = Quoted(v.Str);
        Advance();
        return v;
      case Token::tSymbol:
        if (tok_.Symbol == '[') return SetValue();
        if (tok_.Symbol == '(') return ListValue();
        if (tok_.Symbol == '{') return BinaryValue();
        [[fallthrough]];
      default:
        Expected("a value");
    }
  }

  // 'part'#13'part' + 'more' …
  std::string StringValue() {
    std::string out = std::move(tok_.Text);
    Advance();
    while (IsSymbol('+')) {
      Advance();
      if (tok_.Kind != Token::tString) Expected("a string after '+'");
      out += tok_.Text;
      Advance();
    }
    return out;
  }

  TFormValue SetValue() {
    TFormValue v;
    v.Kind = TFormValue::vkSet;
    v.Text = "[";
    Advance();
    if (!IsSymbol(']')) {
      for (;;) {
        v.Items.push_back(SimpleIdent("a set element"));
        v.Text += (v.Items.size() > 1 ? ", " : "") + v.Items.back();
        if (IsSymbol(']')) break;
        if (!IsSymbol(',')) Expected("',' or ']'");
        Advance();
      }
    }
    v.Text += "]";
    Advance();
    return v;
  }

  TFormValue ListValue() {
    TFormValue v;
    v.Kind = TFormValue::vkList;
    v.Text = "( … )";
    Advance();
    while (!IsSymbol(')')) {
      if (tok_.Kind != Token::tString) Expected("a string or ')'");
      v.Items.push_back(StringValue());
    }
    Advance();
    return v;
  }

  // The lexer sits just after '{': hex digit pairs and blanks up to '}'.
  TFormValue BinaryValue() {
    TFormValue v;
    v.Kind = TFormValue::vkBinary;
    v.Text = "{ … }";
    const int line = tok_.Line;
    int high = -1;
    for (;;) {
      if (pos_ >= s_.size())
        Fail(line_, "expected '}' closing the binary data of line " + std::to_string(line) +
                        ", found end of file");
      const char c = s_[pos_++];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int d = HexDigit(c);
      if (d < 0)
        Fail(line_, "expected a hexadecimal digit or '}', found " + Quoted(std::string(1, c)));
      if (high < 0) {
        high = d;
      } else {
        v.Bytes.push_back(static_cast<uint8_t>(high << 4 | d));
        high = -1;
      }
    }
    if (high >= 0) Fail(line_, "expected an even number of hexadecimal digits, found an odd one");
    Advance();
    return v;
  }

  // --- lexer ---

  void Advance() {
    SkipBlanks();
    tok_ = Token();
    tok_.Line = line_;
    if (pos_ >= s_.size()) return;
    const char c = s_[pos_];
    if (IsIdentStart(c)) {
      const size_t start = pos_;
      while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
      tok_.Kind = Token::tIdent;
      tok_.Text.assign(s_.substr(start, pos_ - start));
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && pos_ + 1 < s_.size() &&
                (IsDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '$'))) {
      Number();
    } else if (c == '\'' || c == '#') {
      String();
    } else if (std::string_view("=:[](){},+").find(c) != std::string_view::npos) {
      tok_.Kind = Token::tSymbol;
      tok_.Symbol = c;
      tok_.Text.assign(1, c);
      ++pos_;
    } else {
      const bool ascii = static_cast<unsigned char>(c) < 0x80;
      Fail(line_, "expected a name, number, string or symbol, found " +
                      (ascii ? Quoted(s_.substr(pos_, 1)) : std::string("a non-ASCII character")));
    }
  }

  void SkipBlanks() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n')
        ++line_;
      else if (c != ' ' && c != '\t' && c != '\r')
        return;
      ++pos_;
    }
  }

  void Number() {
    const size_t start = pos_;
    const bool negative = s_[pos_] == '-';
    if (negative) ++pos_;
    if (s_[pos_] == '$') {
      ++pos_;
      const size_t digits = pos_;
      uint64_t value = 0;
      while (pos_ < s_.size() && HexDigit(s_[pos_]) >= 0) {
        if (pos_ - digits >= 16) NumberError(start);
        value = value << 4 | HexDigit(s_[pos_++]);
      }
      if (pos_ == digits || (pos_ < s_.size() && IsIdentChar(s_[pos_]))) NumberError(start);
      tok_.Kind = Token::tInteger;
      tok_.Hex = true;
      tok_.Int = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
      if (value > static_cast<uint64_t>(INT64_MAX)) NumberError(start);
    } else {
      while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
      bool isFloat = false;
      if (pos_ + 1 < s_.size() && s_[pos_] == '.' && IsDigit(s_[pos_ + 1])) {
        isFloat = true;
        ++pos_;
        while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
      }
      if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
        size_t k = pos_ + 1;
        if (k < s_.size() && (s_[k] == '+' || s_[k] == '-')) ++k;
        if (k < s_.size() && IsDigit(s_[k])) {
          isFloat = true;
          pos_ = k;
          while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        }
      }
      if (pos_ < s_.size() && IsIdentChar(s_[pos_])) NumberError(start);
      const char* first = s_.data() + start;
      const char* last = s_.data() + pos_;
      std::from_chars_result r;
      if (isFloat) {
        tok_.Kind = Token::tFloat;
        r = std::from_chars(first, last, tok_.Float);
      } else {
        tok_.Kind = Token::tInteger;
        r = std::from_chars(first, last, tok_.Int);
      }
      if (r.ec != std::errc() || r.ptr != last) NumberError(start);
    }
    tok_.Text.assign(s_.substr(start, pos_ - start));
  }

  [[noreturn]] void NumberError(size_t start) {
    size_t end = pos_;
    while (end < s_.size() && (IsIdentChar(s_[end]) || HexDigit(s_[end]) >= 0)) ++end;
    Fail(line_, "expected a number, found " + Quoted(s_.substr(start, end - start)));
  }

  void String() {
    tok_.Kind = Token::tString;
    while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
      if (s_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r')
            Fail(line_, "expected a closing quote, found end of line");
          const char c = s_[pos_++];
          if (c != '\'') {
            tok_.Text += c;
          } else if (pos_ < s_.size() && s_[pos_] == '\'') {
            tok_.Text += '\'';
            ++pos_;
          } else {
            break;
          }
        }
      } else {
        const size_t start = pos_++;
        const bool hex = pos_ < s_.size() && s_[pos_] == '$';
        if (hex) ++pos_;
        const size_t digits = pos_;
        int code = 0;
        while (pos_ < s_.size() && (hex ? HexDigit(s_[pos_]) >= 0 : IsDigit(s_[pos_])) &&
               code <= 255) {
          code = code * (hex ? 16 : 10) + (hex ? HexDigit(s_[pos_]) : s_[pos_] - '0');
          ++pos_;
        }
        if (pos_ == digits || code > 255)
          Fail(line_, "expected a character code 0..255, found " +
                          Quoted(s_.substr(start, std::max(pos_ - start, size_t{1}))));
        tok_.Text += static_cast<char>(code);
      }
    }
  }

  std::string_view s_;
  std::string_view file_;
  size_t pos_ = 0;
  int line_ = 1;
  Token tok_;
};

}  // namespace

size_t InvalidUtf8Offset(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80                 ? 1
                     : c >= 0xC2 && c <= 0xDF ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || i + n > s.size()) return i;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return i;
    i += n;
  }
  return std::string_view::npos;
}

std::string FormErrorText(std::string_view fileName, int line, std::string_view message) {
  if (fileName.empty()) return std::string(message);
  return std::string(fileName) + ":" + std::to_string(line) + ": " + std::string(message);
}

TFormObject ParseForm(std::string_view text, std::string_view fileName) {
  return Parser(text, fileName).Root();
}

TFormProperty ParseFormProperty(std::string_view text, std::string_view fileName, int line) {
  return Parser(text, fileName, line).LoneProperty();
}

}  // namespace host
