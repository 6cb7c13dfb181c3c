#include "host/base/EnumInfo.h"

#include "host/base/SysUtils.h"

namespace host {

TEnumInfo::TEnumInfo(const char* typeName, const char* names) : type_name_(typeName) {
  std::string_view rest(names);
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    names_.push_back(Trim(rest.substr(0, comma)));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
}

std::string_view TEnumInfo::Name(int ordinal) const {
  return ordinal >= 0 && ordinal < Count() ? std::string_view(names_[ordinal]) : std::string_view();
}

std::optional<int> TEnumInfo::Ordinal(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(names_[i], name)) return i;
  return std::nullopt;
}

}  // namespace host
