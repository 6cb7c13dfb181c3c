#include "host/platform/VirtualKeys.h"

#include <array>
#include <utility>

namespace host {

namespace {

constexpr std::array<std::pair<std::string_view, uint16_t>, 23> kNamed{{
    {"VK_LBUTTON", VK_LBUTTON}, {"VK_RBUTTON", VK_RBUTTON}, {"VK_MBUTTON", VK_MBUTTON},
    {"VK_BACK", VK_BACK},       {"VK_TAB", VK_TAB},         {"VK_RETURN", VK_RETURN},
    {"VK_SHIFT", VK_SHIFT},     {"VK_CONTROL", VK_CONTROL}, {"VK_MENU", VK_MENU},
    {"VK_PAUSE", VK_PAUSE},     {"VK_CAPITAL", VK_CAPITAL}, {"VK_ESCAPE", VK_ESCAPE},
    {"VK_SPACE", VK_SPACE},     {"VK_PRIOR", VK_PRIOR},     {"VK_NEXT", VK_NEXT},
    {"VK_END", VK_END},         {"VK_HOME", VK_HOME},       {"VK_LEFT", VK_LEFT},
    {"VK_UP", VK_UP},           {"VK_RIGHT", VK_RIGHT},     {"VK_DOWN", VK_DOWN},
    {"VK_INSERT", VK_INSERT},   {"VK_DELETE", VK_DELETE},
}};

bool IsLetterOrDigit(uint16_t key) {
  return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

}  // namespace

std::optional<uint16_t> VirtualKeyByName(std::string_view name) {
  if (name.size() == 1 && IsLetterOrDigit(static_cast<unsigned char>(name[0])))
    return static_cast<uint16_t>(name[0]);
  for (const auto& [n, key] : kNamed)
    if (n == name) return key;
  // VK_F1 … VK_F12
  if (name.size() >= 5 && name.substr(0, 4) == "VK_F" && name[4] != '0') {
    int n = 0;
    for (char c : name.substr(4)) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 12) return static_cast<uint16_t>(VK_F1 + n - 1);
  }
  return std::nullopt;
}

std::string VirtualKeyName(uint16_t key) {
  if (IsLetterOrDigit(key)) return std::string(1, static_cast<char>(key));
  for (const auto& [n, k] : kNamed)
    if (k == key) return std::string(n);
  if (key >= VK_F1 && key <= VK_F12) return "VK_F" + std::to_string(key - VK_F1 + 1);
  return std::to_string(key);
}

}  // namespace host
