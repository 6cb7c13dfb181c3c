#include "host/base/ModuleResources.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/base/SysUtils.h"

namespace host {

struct ResourceModule {
  std::string Name;
  std::span<const ResourceEntry> Entries;
};

namespace {

// Modules register from their static initialisers, possibly while another
// module's lookup runs on a worker thread, hence the lock.
struct ModuleRegistry {
  std::mutex lock;
  std::vector<std::unique_ptr<ResourceModule>> modules;
};

ModuleRegistry& Registry() {
  static ModuleRegistry registry;
  return registry;
}

}  // namespace

HMODULE RegisterModuleResources(std::string_view moduleName,
                                std::span<const ResourceEntry> entries) {
  ModuleRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  r.modules.push_back(
      std::make_unique<ResourceModule>(ResourceModule{std::string(moduleName), entries}));
  return r.modules.back().get();
}

void UnregisterModuleResources(HMODULE module) {
  ModuleRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  std::erase_if(r.modules, [module](const auto& m) { return m.get() == module; });
}

HMODULE FindModule(std::string_view moduleName) {
  ModuleRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  // The latest registration of a name wins, as a reloaded module replaces the old.
  for (auto it = r.modules.rbegin(); it != r.modules.rend(); ++it)
    if (SameText((*it)->Name, moduleName)) return it->get();
  return nullptr;
}

std::vector<std::string> EnumResourceNames(HMODULE module, std::string_view type) {
  std::vector<std::string> names;
  if (module)
    for (const ResourceEntry& e : module->Entries)
      if (SameText(e.Type, type)) names.emplace_back(e.Name);
  return names;
}

std::span<const uint8_t> FindResourceData(HMODULE module, std::string_view name,
                                          std::string_view type) {
  if (module) {
    for (const ResourceEntry& e : module->Entries)
      if (SameText(e.Name, name) && SameText(e.Type, type)) return {e.Data, e.Size};
  }
  throw EResNotFound(Format("Resource %.*s not found", int(name.size()), name.data()));
}

}  // namespace host
