#pragma once
// The storage behind TRegistry: the keys and string values of one root key,
// kept in a text file per root key.
//
// Every change runs under an exclusive lock on a companion lock file and
// re-reads the file before changing it, so processes writing at once lose no
// update. The new contents go to a temporary file that is synced and then
// renamed over the old one, so a crash in mid-write leaves the previous
// contents whole. Readers need no lock: they see either the old or the new file.
//
// Key paths are backslash-separated ("Software\Orvane\App"); keys and value
// names compare without regard to case and keep the case they were created with.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host::registry {

// "A\\B\\" and "\\A\\B" are both "A\B"; empty parts are dropped.
std::string NormalizeKeyPath(std::string_view path);

// The keys and values of one root key. Paths given must be normalised; the
// root itself is the empty path and always exists.
class RegistryData {
 public:
  bool HasKey(const std::string& path) const;
  // Creates the key and its missing parents.
  void CreateKey(const std::string& path);
  // Deletes the key with all its subkeys; false when it does not exist.
  bool DeleteKey(const std::string& path);

  // The value's data, or nullptr when the key or the value does not exist.
  const std::string* FindValue(const std::string& path, std::string_view name) const;
  // False when the key does not exist.
  bool SetValue(const std::string& path, const std::string& name, const std::string& data);
  // False when the key or the value does not exist.
  bool DeleteValue(const std::string& path, std::string_view name);
  std::vector<std::string> ValueNames(const std::string& path) const;
  std::vector<std::string> SubKeyNames(const std::string& path) const;

  std::string Serialize() const;
  // Raises ERegistryException naming fileName and the line when text is damaged.
  static RegistryData Parse(std::string_view text, const std::string& fileName);

 private:
  struct Key {
    std::string path;                                         // as created
    std::vector<std::pair<std::string, std::string>> values;  // name, data
  };
  Key* Find(const std::string& path);
  const Key* Find(const std::string& path) const;

  std::map<std::string, Key> keys_;  // by upper-case path
};

// The file of one root key.
class RegistryFile {
 public:
  explicit RegistryFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // The current contents; empty when the file does not exist yet.
  RegistryData Read() const;
  // Runs change on the current contents under the lock and writes the result
  // when change returns true. Raises ERegistryException when the file cannot
  // be read or written; the file then keeps its previous contents.
  void Update(const std::function<bool(RegistryData&)>& change);

 private:
  std::string path_;
};

// Where the files live: by default $XDG_CONFIG_HOME/kxpack/registry (or
// ~/.config/kxpack/registry). Tests and applications may point it elsewhere.
std::string RegistryDirectory();
void SetRegistryDirectory(std::string directory);

}  // namespace host::registry
