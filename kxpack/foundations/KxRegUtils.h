#pragma once
// Reading, writing and deleting string values in the registry. Each works on
// a registry object of its own with full access. A failure of the store shows
// a message box and returns False.
#include <string>

#include "host/system/Registry.h"

namespace kx {

using host::HKEY;

// Value := Default, then the named value of Key when Key exists (Key is never
// created). True when the key could be opened.
bool RegRead(HKEY RootKey, const std::string& Key, const std::string& Name,
             const std::string& Default, std::string& Value);
// Stores the value, creating Key when missing.
bool RegWrite(HKEY RootKey, const std::string& Key, const std::string& Name,
              const std::string& Value);
// Deletes the value; Key is created when missing.
bool RegDelValue(HKEY RootKey, const std::string& Key, const std::string& Name);

}  // namespace kx
