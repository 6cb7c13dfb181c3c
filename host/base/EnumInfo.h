#pragma once
// Enumerations that know their value names, for form files and inspectors.
//
//   HOST_ENUM(TKxGradDirection, tgdUpDown, tgdLeftRight, tgdChord1, tgdChord2)
//
// declares `enum TKxGradDirection : uint8_t { … }` (ordinals from 0, one byte)
// and `EnumInfoOf(TKxGradDirection)`, found by argument-dependent lookup.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class TEnumInfo {
 public:
  // names: the enumerator list as written, "a, b, c".
  TEnumInfo(const char* typeName, const char* names);
  const std::string& TypeName() const { return type_name_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // The name of an ordinal; empty when out of range.
  std::string_view Name(int ordinal) const;
  // The ordinal of a name (without regard to case), or nothing.
  std::optional<int> Ordinal(std::string_view name) const;

 private:
  std::string type_name_;
  std::vector<std::string> names_;
};

template <class E>
std::string_view EnumName(E value) {
  return EnumInfoOf(E{}).Name(static_cast<int>(value));
}

}  // namespace host

#define HOST_ENUM(Name, ...)                                  \
  enum Name : uint8_t { __VA_ARGS__ };                        \
  inline const ::host::TEnumInfo& EnumInfoOf(Name) {          \
    static const ::host::TEnumInfo info(#Name, #__VA_ARGS__); \
    return info;                                              \
  }
