#include "kxpack/foundations/KxRegUtils.h"

#include "host/system/Dialogs.h"

namespace kx {

using host::TRegistry;

namespace {

// Runs action on a fresh registry object for RootKey; an exception of the
// host's general class is shown as prefix + its message and gives False.
template <class Action>
bool WithRegistry(HKEY RootKey, const char* prefix, Action action) {
  TRegistry reg(host::KEY_ALL_ACCESS);
  try {
    reg.SetRootKey(RootKey);
    return action(reg);
  } catch (const host::Exception& e) {
    host::ShowMessage(prefix + e.Message());
    return false;
  }
}

}  // namespace

bool RegRead(HKEY RootKey, const std::string& Key, const std::string& Name,
             const std::string& Default, std::string& Value) {
  Value = Default;
  return WithRegistry(RootKey, "Error to read the Key Value", [&](TRegistry& reg) {
    if (!reg.OpenKey(Key, false)) return false;
    // A missing value keeps Default rather than turning into an empty text.
    if (reg.ValueExists(Name)) Value = reg.ReadString(Name);
    reg.CloseKey();
    return true;
  });
}

bool RegWrite(HKEY RootKey, const std::string& Key, const std::string& Name,
              const std::string& Value) {
  return WithRegistry(RootKey, "Error to write the Key Value", [&](TRegistry& reg) {
    if (!reg.OpenKey(Key, true)) return false;
    reg.WriteString(Name, Value);
    reg.CloseKey();
    return true;
  });
}

bool RegDelValue(HKEY RootKey, const std::string& Key, const std::string& Name) {
  return WithRegistry(RootKey, "Error to write the Key Value", [&](TRegistry& reg) {
    if (!reg.OpenKey(Key, true)) return false;
    reg.DeleteValue(Name);
    reg.CloseKey();
    return true;
  });
}

}  // namespace kx
