#pragma once
// The class registry: classes that form files may name, found by name and
// created with an owner.
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/classes/Classes.h"

namespace host {

using TComponentFactory = TComponent* (*)(TComponent* owner);

// Registers cls under its name (case-insensitive). Registering the same class
// again changes nothing; another class of the same name raises EFilerError
// "A class named NAME has already been registered". factory may be nullptr
// for a class that is never created by name (a sub-object class).
void RegisterClass(TClass cls, TComponentFactory factory);
void UnRegisterClass(TClass cls);

template <class T>
void RegisterClass() {
  if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>)
    RegisterClass(T::StaticClass(), [](TComponent* owner) -> TComponent* { return new T(owner); });
  else
    RegisterClass(T::StaticClass(), nullptr);
}
template <class... T>
void RegisterClasses() {
  (RegisterClass<T>(), ...);
}

// The registered class of that name, or nullptr.
TClass GetClass(std::string_view name);
// The registered class of that name; raises EClassNotFound "Class NAME not found".
TClass FindClass(std::string_view name);
// Every registered class, in no particular order.
std::vector<TClass> RegisteredClasses();
// True when instances of cls can be created by name.
bool CanCreateClass(TClass cls);
// A new instance of a registered component class, owned by owner; raises
// EClassNotFound when cls is not registered or cannot be created.
TComponent* CreateComponent(TClass cls, TComponent* owner);

}  // namespace host
