#pragma once
// TRegistry: keys and named string values under a root key, as the host's
// registry class offers them. The store is a file per root key (see
// RegistryStore.h); every call reads or changes it at once, so other processes
// see a change as soon as the call returns. Failures raise ERegistryException.
#include <cstdint>
#include <string>
#include <vector>

#include "host/classes/Classes.h"

namespace host {

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

using REGSAM = uint32_t;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// The name of a predefined root key ("HKEY_CURRENT_USER"), or empty.
const char* RootKeyName(HKEY key);

class TRegistry : public TObject {
  HOST_CLASS(TRegistry, TObject)
 public:
  // Root key HKEY_CURRENT_USER, full access, no key open.
  TRegistry();
  explicit TRegistry(REGSAM AAccess);

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key; an unknown root key raises ERegistryException at the
  // first use.
  void SetRootKey(HKEY Value);
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM Value) { FAccess = Value; }
  // The open key's path below the root, empty when none is open.
  const std::string& CurrentPath() const { return FCurrentPath; }

  // Opens Key (absolute when it starts with '\', otherwise below the open
  // key), creating it with its parents when CanCreate; false when it is
  // missing and may not be created.
  bool OpenKey(const std::string& Key, bool CanCreate);
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  bool KeyExists(const std::string& Key);
  // Deletes Key with its subkeys; false when it does not exist.
  bool DeleteKey(const std::string& Key);
  std::vector<std::string> GetKeyNames();

  // Values of the open key (of the root when none is open).
  bool ValueExists(const std::string& Name);
  // The value's text; empty when the value does not exist.
  std::string ReadString(const std::string& Name);
  // Raises ERegistryException "Failed to set data for 'Name'" (with the
  // reason) when the value cannot be stored.
  void WriteString(const std::string& Name, const std::string& Value);
  bool DeleteValue(const std::string& Name);
  std::vector<std::string> GetValueNames();

 private:
  std::string FilePath() const;
  std::string ResolvePath(const std::string& Key) const;

  HKEY FRootKey = HKEY_CURRENT_USER;
  REGSAM FAccess = KEY_ALL_ACCESS;
  std::string FCurrentPath;
};

}  // namespace host
