#include "host/classes/ClassRegistry.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace host {

namespace {

struct Entry {
  TClass Class;
  TComponentFactory Factory;
};

// Classes register at start-up of each module, possibly from a plug-in's
// loader thread; lookups take the same lock.
struct Registry {
  std::mutex Lock;
  std::unordered_map<std::string, Entry> ByName;  // lower-case name
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

const Entry* Lookup(Registry& r, std::string_view name) {
  auto it = r.ByName.find(LowerCase(name));
  return it == r.ByName.end() ? nullptr : &it->second;
}

}  // namespace

void RegisterClass(TClass cls, TComponentFactory factory) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.Lock);
  auto [it, added] = r.ByName.try_emplace(LowerCase(cls->Name), Entry{cls, factory});
  if (!added && it->second.Class != cls)
    throw EFilerError(std::string("A class named ") + cls->Name + " has already been registered");
}

void UnRegisterClass(TClass cls) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.Lock);
  auto it = r.ByName.find(LowerCase(cls->Name));
  if (it != r.ByName.end() && it->second.Class == cls) r.ByName.erase(it);
}

TClass GetClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.Lock);
  const Entry* e = Lookup(r, name);
  return e ? e->Class : nullptr;
}

TClass FindClass(std::string_view name) {
  if (TClass cls = GetClass(name)) return cls;
  throw EClassNotFound("Class " + std::string(name) + " not found");
}

std::vector<TClass> RegisteredClasses() {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.Lock);
  std::vector<TClass> classes;
  classes.reserve(r.ByName.size());
  for (const auto& [name, entry] : r.ByName) classes.push_back(entry.Class);
  return classes;
}

bool CanCreateClass(TClass cls) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.Lock);
  const Entry* e = Lookup(r, cls->Name);
  return e && e->Class == cls && e->Factory;
}

TComponent* CreateComponent(TClass cls, TComponent* owner) {
  TComponentFactory factory = nullptr;
  {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.Lock);
    const Entry* e = Lookup(r, cls->Name);
    if (e && e->Class == cls) factory = e->Factory;
  }
  if (!factory) throw EClassNotFound("Class " + std::string(cls->Name) + " not found");
  return factory(owner);
}

}  // namespace host
