#pragma once
// Points the registry at a fresh temporary directory for the lifetime of the
// object, and removes it afterwards.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "host/system/RegistryStore.h"

namespace host {

class TempRegistry {
 public:
  TempRegistry() {
    char pattern[] = "/tmp/kxregistry-XXXXXX";
    dir_ = mkdtemp(pattern);
    registry::SetRegistryDirectory(dir_);
  }
  ~TempRegistry() {
    registry::SetRegistryDirectory("");
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;
  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
};

}  // namespace host
