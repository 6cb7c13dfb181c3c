#include "host/system/Registry.h"

#include "host/base/SysUtils.h"
#include "host/system/RegistryStore.h"

namespace host {

using registry::NormalizeKeyPath;
using registry::RegistryData;
using registry::RegistryFile;

const char* RootKeyName(HKEY key) {
  switch (key) {
    case HKEY_CLASSES_ROOT:
      return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
      return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
      return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
      return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG:
      return "HKEY_CURRENT_CONFIG";
    default:
      return "";
  }
}

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM AAccess) : FAccess(AAccess) {}

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  CloseKey();
  FRootKey = Value;
}

std::string TRegistry::FilePath() const {
  const std::string name = RootKeyName(FRootKey);
  if (name.empty()) throw ERegistryException(Format("Invalid root key $%08X", FRootKey));
  return registry::RegistryDirectory() + "/" + name + ".reg";
}

std::string TRegistry::ResolvePath(const std::string& Key) const {
  const bool absolute = !Key.empty() && Key.front() == '\\';
  if (absolute || FCurrentPath.empty()) return NormalizeKeyPath(Key);
  return NormalizeKeyPath(FCurrentPath + '\\' + Key);
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  const std::string path = ResolvePath(Key);
  RegistryFile file(FilePath());
  bool exists = file.Read().HasKey(path);
  if (!exists && CanCreate) {
    file.Update([&](RegistryData& data) {
      if (data.HasKey(path)) return false;
      data.CreateKey(path);
      return true;
    });
    exists = true;
  }
  if (exists) FCurrentPath = path;
  return exists;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  FAccess = KEY_READ;
  return OpenKey(Key, false);
}

void TRegistry::CloseKey() { FCurrentPath.clear(); }

bool TRegistry::KeyExists(const std::string& Key) {
  return RegistryFile(FilePath()).Read().HasKey(ResolvePath(Key));
}

bool TRegistry::DeleteKey(const std::string& Key) {
  const std::string path = ResolvePath(Key);
  bool deleted = false;
  RegistryFile(FilePath()).Update([&](RegistryData& data) {
    return deleted = data.DeleteKey(path);
  });
  return deleted;
}

std::vector<std::string> TRegistry::GetKeyNames() {
  return RegistryFile(FilePath()).Read().SubKeyNames(FCurrentPath);
}

bool TRegistry::ValueExists(const std::string& Name) {
  return RegistryFile(FilePath()).Read().FindValue(FCurrentPath, Name) != nullptr;
}

std::string TRegistry::ReadString(const std::string& Name) {
  const RegistryData data = RegistryFile(FilePath()).Read();
  const std::string* value = data.FindValue(FCurrentPath, Name);
  return value ? *value : std::string();
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  const std::string failed = "Failed to set data for '" + Name + "'";
  if (!(FAccess & KEY_SET_VALUE)) throw ERegistryException(failed + ": access denied");
  bool stored = false;
  try {
    RegistryFile(FilePath()).Update([&](RegistryData& data) {
      return stored = data.SetValue(FCurrentPath, Name, Value);
    });
  } catch (const ERegistryException& e) {
    throw ERegistryException(failed + ": " + e.Message());
  }
  if (!stored) throw ERegistryException(failed + ": the key no longer exists");
}

bool TRegistry::DeleteValue(const std::string& Name) {
  if (!(FAccess & KEY_SET_VALUE)) return false;
  bool deleted = false;
  RegistryFile(FilePath()).Update([&](RegistryData& data) {
    return deleted = data.DeleteValue(FCurrentPath, Name);
  });
  return deleted;
}

std::vector<std::string> TRegistry::GetValueNames() {
  return RegistryFile(FilePath()).Read().ValueNames(FCurrentPath);
}

}  // namespace host
