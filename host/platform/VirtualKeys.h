#pragma once
// Virtual-key codes of the keys the platform reports (the host's VK_ values).
// Letters and digits are their upper-case ASCII codes ('A', '0').
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

inline constexpr uint16_t VK_LBUTTON = 0x01;
inline constexpr uint16_t VK_RBUTTON = 0x02;
inline constexpr uint16_t VK_MBUTTON = 0x04;
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;  // Alt
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;  // Page Up
inline constexpr uint16_t VK_NEXT = 0x22;   // Page Down
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_F1 = 0x70;  // VK_F1 + n for F(n+1), up to F12
inline constexpr uint16_t VK_F12 = 0x7B;

// The control character a key types (Enter "\r", Backspace "\b", Tab "\t",
// Escape "\x1b"), "" for other keys.
inline std::string ControlCharOfKey(uint16_t key) {
  switch (key) {
    case VK_RETURN:
      return "\r";
    case VK_BACK:
      return "\b";
    case VK_TAB:
      return "\t";
    case VK_ESCAPE:
      return "\x1b";
    default:
      return "";
  }
}

// A key by its name: "VK_RETURN", "VK_F5", a letter "A" or a digit "7";
// nothing for a name the host does not have.
std::optional<uint16_t> VirtualKeyByName(std::string_view name);
// The other way round; the number for a key without a name.
std::string VirtualKeyName(uint16_t key);

}  // namespace host
