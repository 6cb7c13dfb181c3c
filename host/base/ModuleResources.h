#pragma once
// Resources embedded in a module (the package's shared library, or an
// application): found by type and name, names compared without regard to case.
// The bytes only; host/graphics/Resources.h decodes bitmaps among them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct ResourceEntry {
  const char* Type;  // RT_BITMAP or RT_FORM
  const char* Name;  // as stored, e.g. "NUM13X24"
  const uint8_t* Data;
  size_t Size;
};

struct ResourceModule;
using HMODULE = const ResourceModule*;
using HINSTANCE = HMODULE;

inline constexpr const char* RT_BITMAP = "BITMAP";
inline constexpr const char* RT_FORM = "KXFORM";

// Registers the resources of a module (done by the module's start-up code) and
// returns its handle. The entries must outlive the module's registration.
HMODULE RegisterModuleResources(std::string_view moduleName,
                                std::span<const ResourceEntry> entries);
void UnregisterModuleResources(HMODULE module);
// The handle of a registered module by name, or nullptr.
HMODULE FindModule(std::string_view moduleName);

// The names of a module's resources of one type, in the order stored.
std::vector<std::string> EnumResourceNames(HMODULE module, std::string_view type);

// The bytes of a resource; raises EResNotFound "Resource NAME not found".
std::span<const uint8_t> FindResourceData(HMODULE module, std::string_view name,
                                          std::string_view type);

}  // namespace host
