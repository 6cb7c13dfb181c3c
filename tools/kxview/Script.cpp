#include "tools/kxview/Script.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <vector>

#include "host/base/DateTime.h"
#include "host/base/SysUtils.h"
#include "host/platform/VirtualKeys.h"

namespace kxview {

namespace {

using kx::testing::Modifiers;
using kx::testing::Session;

// A line that cannot be run; the runner adds SCRIPT:LINE.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The words of one line after the command, and for commands that take text,
// the rest of the line as written.
struct Line {
  std::string Command;
  std::vector<std::string> Words;
  std::string Rest;  // everything after the command and its blank
};

Line Split(const std::string& text) {
  Line line;
  std::istringstream words(text);
  words >> line.Command;
  for (std::string w; words >> w;) line.Words.push_back(w);
  const size_t start = text.find_first_not_of(" \t");
  const size_t after = text.find_first_of(" \t", start);
  if (after != std::string::npos) line.Rest = host::Trim(text.substr(after));
  return line;
}

int64_t Number(const std::string& word, const char* what) {
  int64_t v = 0;
  const char* end = word.data() + word.size();
  const auto r = std::from_chars(word.data(), end, v);
  if (r.ec != std::errc() || r.ptr != end)
    throw ScriptError(std::string("expected a number for ") + what + ", found '" + word + "'");
  return v;
}

int32_t Coordinate(const std::string& word, const char* what) {
  const int64_t v = Number(word, what);
  if (v < -1000000 || v > 1000000)
    throw ScriptError(std::string("expected a coordinate for ") + what + ", found " + word);
  return static_cast<int32_t>(v);
}

void Arity(const Line& line, size_t least, size_t most, const char* usage) {
  if (line.Words.size() < least || line.Words.size() > most)
    throw ScriptError(std::string("expected ") + usage + ", found '" + line.Command +
                      (line.Rest.empty() ? "" : " " + line.Rest) + "'");
}

// Optional words after the fixed ones: a mouse button and modifier keys.
struct Options {
  host::MouseButton Button = host::MouseButton::Left;
  Modifiers Keys;
};

Options OptionWords(const Line& line, size_t from, bool buttons, bool modifiers) {
  Options o;
  for (size_t i = from; i < line.Words.size(); ++i) {
    const std::string& w = line.Words[i];
    if (buttons && w == "left")
      o.Button = host::MouseButton::Left;
    else if (buttons && w == "right")
      o.Button = host::MouseButton::Right;
    else if (buttons && w == "middle")
      o.Button = host::MouseButton::Middle;
    else if (modifiers && w == "shift")
      o.Keys.Shift = true;
    else if (modifiers && w == "ctrl")
      o.Keys.Ctrl = true;
    else if (modifiers && w == "alt")
      o.Keys.Alt = true;
    else
      throw ScriptError("expected " +
                        std::string(buttons && modifiers ? "left, right, middle, shift, ctrl or alt"
                                    : buttons            ? "left, right or middle"
                                                         : "shift, ctrl or alt") +
                        ", found '" + w + "'");
  }
  return o;
}

// "C.PROP = VALUE"
std::pair<std::string, std::string> Assignment(const Line& line) {
  const size_t eq = line.Rest.find('=');
  if (eq == std::string::npos)
    throw ScriptError("expected COMPONENT.PROPERTY = VALUE, found '" + line.Rest + "'");
  return {host::Trim(line.Rest.substr(0, eq)), host::Trim(line.Rest.substr(eq + 1))};
}

// YYYY-MM-DD HH:MM:SS[.mmm]
host::TDateTime DateTimeOf(const std::string& text) {
  static const std::regex kForm(R"((\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2})(?:\.(\d{3}))?)");
  std::smatch m;
  const bool matched = std::regex_match(text, m, kForm);
  auto part = [&](size_t i) {
    return static_cast<uint16_t>(matched && m[i].matched ? std::stoi(m[i].str()) : 0);
  };
  if (!matched || !host::IsValidDate(part(1), part(2), part(3)) ||
      !host::IsValidTime(part(4), part(5), part(6), part(7)))
    throw ScriptError("expected a time YYYY-MM-DD HH:MM:SS[.mmm], found '" + text + "'");
  return host::EncodeDate(part(1), part(2), part(3)) +
         host::EncodeTime(part(4), part(5), part(6), part(7));
}

uint32_t ColourOf(const std::string& word) {
  uint32_t v = 0;
  const char* end = word.data() + word.size();
  const auto r = std::from_chars(word.data(), end, v, 16);
  if (word.size() != 6 || r.ec != std::errc() || r.ptr != end)
    throw ScriptError("expected a colour RRGGBB, found '" + word + "'");
  return v;
}

std::string Hex6(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%06X", rgb & 0xFFFFFF);
  return buf;
}

// Runs one line; a line that cannot be run or an expectation that fails
// raises an error.
void RunLine(Session& session, const Line& line, std::ostream& out) {
  const std::string& c = line.Command;
  const auto& w = line.Words;
  if (c == "move") {
    Arity(line, 2, 2, "move X Y");
    session.Move(Coordinate(w[0], "X"), Coordinate(w[1], "Y"));
  } else if (c == "press") {
    Arity(line, 2, 6, "press X Y [left|right|middle] [shift] [ctrl] [alt]");
    const Options o = OptionWords(line, 2, true, true);
    session.Press(Coordinate(w[0], "X"), Coordinate(w[1], "Y"), o.Button, o.Keys);
  } else if (c == "release") {
    Arity(line, 2, 3, "release X Y [left|right|middle]");
    session.Release(Coordinate(w[0], "X"), Coordinate(w[1], "Y"),
                    OptionWords(line, 2, true, false).Button);
  } else if (c == "click") {
    Arity(line, 2, 3, "click X Y [left|right|middle]");
    session.Click(Coordinate(w[0], "X"), Coordinate(w[1], "Y"),
                  OptionWords(line, 2, true, false).Button);
  } else if (c == "dblclick") {
    Arity(line, 2, 2, "dblclick X Y");
    session.DblClick(Coordinate(w[0], "X"), Coordinate(w[1], "Y"));
  } else if (c == "drag") {
    Arity(line, 4, 4, "drag X1 Y1 X2 Y2");
    session.Drag(Coordinate(w[0], "X1"), Coordinate(w[1], "Y1"), Coordinate(w[2], "X2"),
                 Coordinate(w[3], "Y2"));
  } else if (c == "key") {
    Arity(line, 1, 4, "key NAME [shift] [ctrl] [alt]");
    const std::optional<uint16_t> key = host::VirtualKeyByName(w[0]);
    if (!key)
      throw ScriptError("expected a virtual-key name (VK_RETURN, A …), found '" + w[0] + "'");
    session.Key(*key, OptionWords(line, 1, false, true).Keys);
  } else if (c == "type") {
    if (line.Rest.empty()) throw ScriptError("expected type TEXT, found nothing to type");
    session.Type(line.Rest);
  } else if (c == "wait") {
    Arity(line, 1, 1, "wait MS");
    const int64_t ms = Number(w[0], "MS");
    if (ms < 0) throw ScriptError("expected a time to wait of 0 ms or more, found " + w[0]);
    session.Wait(ms);
  } else if (c == "now") {
    session.SetNow(DateTimeOf(line.Rest));
  } else if (c == "set") {
    const auto [path, value] = Assignment(line);
    session.Set(path, value);
  } else if (c == "print") {
    Arity(line, 1, 1, "print COMPONENT.PROPERTY");
    out << w[0] << " = " << session.Get(w[0]) << '\n';
  } else if (c == "call") {
    Arity(line, 1, 1, "call COMPONENT.METHOD");
    session.Call(w[0]);
  } else if (c == "png") {
    if (line.Rest.empty()) throw ScriptError("expected png OUT.png, found no file name");
    session.SavePng(line.Rest);
  } else if (c == "expect") {
    const auto [path, value] = Assignment(line);
    const std::string found = session.Get(path);
    if (found != value)
      throw ScriptError("expected " + path + " = " + value + ", found " + path + " = " + found);
  } else if (c == "expect-pixel") {
    Arity(line, 3, 3, "expect-pixel X Y RRGGBB");
    const int32_t x = Coordinate(w[0], "X"), y = Coordinate(w[1], "Y");
    const uint32_t want = ColourOf(w[2]);
    const uint32_t found = session.Pixel(x, y);
    if (found != want)
      throw ScriptError("expected " + Hex6(want) + " at " + w[0] + " " + w[1] + ", found " +
                        Hex6(found));
  } else {
    throw ScriptError(
        "expected a command (move, press, release, click, dblclick, drag, key, "
        "type, wait, now, set, print, call, png, expect, expect-pixel), found '" +
        c + "'");
  }
}

}  // namespace

int RunScript(Session& session, std::istream& in, const std::string& scriptName, std::ostream& out,
              std::ostream& err, bool reportModalResult) {
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::string trimmed = host::Trim(text);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    try {
      RunLine(session, Split(trimmed), out);
      if (reportModalResult && session.Form()->ModalResult() != host::mrNone) {
        out << "Form.ModalResult = " << session.Form()->ModalResult() << '\n';
        session.Form()->SetModalResult(host::mrNone);
      }
      out.flush();
    } catch (const std::exception& e) {
      err << scriptName << ':' << number << ": " << e.what() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace kxview
