#include "kxpack/package/KxPack.h"

#include <span>

namespace kx {

// Generated at build time from the files of kxpack/resources.
std::span<const host::ResourceEntry> PackageResources();

namespace {

// The package's resources are registered while the library loads and
// withdrawn when it unloads.
struct ModuleRegistration {
  host::HMODULE module = host::RegisterModuleResources(KxPackModuleName, PackageResources());
  ~ModuleRegistration() { host::UnregisterModuleResources(module); }
};

ModuleRegistration& Registration() {
  static ModuleRegistration registration;
  return registration;
}

// Registers at load time, so that host::FindModule finds the package before
// any of its own code has asked for HInstance.
[[maybe_unused]] const host::HMODULE loadedModule = Registration().module;

}  // namespace

host::HMODULE HInstance() { return Registration().module; }

}  // namespace kx
