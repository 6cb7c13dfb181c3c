#include "host/system/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "host/base/FileContents.h"
#include "host/base/SysUtils.h"

namespace host::registry {

namespace {

constexpr std::string_view kHeader = "KxPack registry 1";

// Characters that would break the line structure are written as %XX.
bool NeedsEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']';
}

void AppendEscaped(std::string& out, std::string_view s) {
  static const char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : s) {
    if (NeedsEscape(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

[[noreturn]] void Damaged(const std::string& fileName, int line, const std::string& what) {
  throw ERegistryException(
      Format("Registry file %s is damaged at line %d: %s", fileName.c_str(), line, what.c_str()));
}

std::string Unescape(std::string_view s, const std::string& fileName, int line) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    const int h = i + 1 < s.size() ? HexDigit(s[i + 1]) : -1;
    const int l = i + 2 < s.size() ? HexDigit(s[i + 2]) : -1;
    if (h < 0 || l < 0) Damaged(fileName, line, "bad escape");
    out += static_cast<char>(h * 16 + l);
    i += 2;
  }
  return out;
}

std::string ErrnoText() { return std::strerror(errno); }

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a delayed write error
  // can show up here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

[[noreturn]] void WriteFailed(const std::string& path, const std::string& why) {
  throw ERegistryException("Cannot write registry file " + path + ": " + why);
}

// Writes text to path through a synced temporary file and a rename.
void WriteAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp";
  FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (fd.get() < 0) WriteFailed(path, ErrnoText());
  auto fail = [&](const std::string& why) {
    ::unlink(temp.c_str());
    WriteFailed(path, why);
  };
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(ErrnoText());
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd.get()) != 0) fail(ErrnoText());
  if (!fd.Close()) fail(ErrnoText());
  if (::rename(temp.c_str(), path.c_str()) != 0) fail(ErrnoText());
  // Make the rename itself durable; the new contents are in place either way.
  const std::string dir = std::filesystem::path(path).parent_path().string();
  FileDescriptor dirFd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
}

std::mutex& DirectoryMutex() {
  static std::mutex m;
  return m;
}

std::string& DirectoryOverride() {
  static std::string dir;
  return dir;
}

}  // namespace

std::string NormalizeKeyPath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

// --- RegistryData -------------------------------------------------------------

RegistryData::Key* RegistryData::Find(const std::string& path) {
  auto it = keys_.find(UpperCase(path));
  return it == keys_.end() ? nullptr : &it->second;
}

const RegistryData::Key* RegistryData::Find(const std::string& path) const {
  auto it = keys_.find(UpperCase(path));
  return it == keys_.end() ? nullptr : &it->second;
}

bool RegistryData::HasKey(const std::string& path) const { return path.empty() || Find(path); }

void RegistryData::CreateKey(const std::string& path) {
  // Every prefix that ends before a separator is a parent key.
  for (size_t end = 0; end <= path.size(); ++end) {
    if (end != path.size() && path[end] != '\\') continue;
    const std::string part = path.substr(0, end);
    const std::string upper = UpperCase(part);
    if (!keys_.count(upper)) keys_[upper].path = part;
  }
}

bool RegistryData::DeleteKey(const std::string& path) {
  if (path.empty() || !Find(path)) return false;
  const std::string upper = UpperCase(path);
  const std::string prefix = upper + '\\';
  for (auto it = keys_.lower_bound(upper); it != keys_.end();) {
    if (it->first != upper && it->first.compare(0, prefix.size(), prefix) != 0) break;
    it = keys_.erase(it);
  }
  return true;
}

const std::string* RegistryData::FindValue(const std::string& path, std::string_view name) const {
  const Key* key = Find(path);
  if (!key) return nullptr;
  for (const auto& [valueName, data] : key->values)
    if (SameText(valueName, name)) return &data;
  return nullptr;
}

bool RegistryData::SetValue(const std::string& path, const std::string& name,
                            const std::string& data) {
  if (path.empty()) CreateKey(path);
  Key* key = Find(path);
  if (!key) return false;
  for (auto& [valueName, old] : key->values) {
    if (SameText(valueName, name)) {
      old = data;
      return true;
    }
  }
  key->values.emplace_back(name, data);
  return true;
}

bool RegistryData::DeleteValue(const std::string& path, std::string_view name) {
  Key* key = Find(path);
  if (!key) return false;
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (SameText(it->first, name)) {
      key->values.erase(it);
      return true;
    }
  }
  return false;
}

std::vector<std::string> RegistryData::ValueNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const Key* key = Find(path))
    for (const auto& value : key->values) names.push_back(value.first);
  return names;
}

std::vector<std::string> RegistryData::SubKeyNames(const std::string& path) const {
  std::vector<std::string> names;
  const std::string prefix = path.empty() ? std::string() : UpperCase(path) + '\\';
  for (auto it = keys_.lower_bound(prefix); it != keys_.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    const std::string_view rest = std::string_view(it->first).substr(prefix.size());
    if (rest.empty() || rest.find('\\') != std::string_view::npos) continue;
    names.push_back(it->second.path.substr(it->second.path.size() - rest.size()));
  }
  return names;
}

std::string RegistryData::Serialize() const {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [upper, key] : keys_) {
    if (key.path.empty() && key.values.empty()) continue;
    out += '[';
    AppendEscaped(out, key.path);
    out += "]\n";
    for (const auto& [name, data] : key.values) {
      AppendEscaped(out, name);
      out += '=';
      AppendEscaped(out, data);
      out += '\n';
    }
  }
  return out;
}

RegistryData RegistryData::Parse(std::string_view text, const std::string& fileName) {
  RegistryData data;
  std::string current;
  bool inKey = false;
  int lineNo = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (lineNo == 1) {
      if (line != kHeader) Damaged(fileName, lineNo, "not a registry file");
      continue;
    }
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 2) Damaged(fileName, lineNo, "expected ']'");
      current = NormalizeKeyPath(Unescape(line.substr(1, line.size() - 2), fileName, lineNo));
      data.CreateKey(current);
      inKey = true;
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) Damaged(fileName, lineNo, "expected name=value");
    if (!inKey) Damaged(fileName, lineNo, "value outside a [key]");
    data.SetValue(current, Unescape(line.substr(0, eq), fileName, lineNo),
                  Unescape(line.substr(eq + 1), fileName, lineNo));
  }
  if (lineNo == 0) Damaged(fileName, 1, "not a registry file");
  return data;
}

// --- RegistryFile -------------------------------------------------------------

RegistryData RegistryFile::Read() const {
  // A registry never written reads as empty. Writes replace the file by a
  // rename, so once there it does not go away between the two calls.
  if (::access(path_.c_str(), F_OK) != 0 && errno == ENOENT) return RegistryData();
  std::string text;
  try {
    text = ReadFileContents(path_);
  } catch (const EStreamError& e) {
    throw ERegistryException("Cannot read registry file " + path_ + ": " + e.Message());
  }
  return RegistryData::Parse(text, path_);
}

void RegistryFile::Update(const std::function<bool(RegistryData&)>& change) {
  std::error_code error;
  const std::filesystem::path dir = std::filesystem::path(path_).parent_path();
  if (!dir.empty()) std::filesystem::create_directories(dir, error);
  if (error) WriteFailed(path_, "cannot create " + dir.string() + ": " + error.message());

  const std::string lockPath = path_ + ".lock";
  FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lock.get() < 0) WriteFailed(path_, "cannot open " + lockPath + ": " + ErrnoText());
  while (::flock(lock.get(), LOCK_EX) != 0)
    if (errno != EINTR) WriteFailed(path_, "cannot lock " + lockPath + ": " + ErrnoText());

  RegistryData data = Read();
  if (change(data)) WriteAtomically(path_, data.Serialize());
  // Closing the lock file releases the lock.
}

// --- Location -------------------------------------------------------------------

std::string RegistryDirectory() {
  {
    std::lock_guard lock(DirectoryMutex());
    if (!DirectoryOverride().empty()) return DirectoryOverride();
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/kxpack/registry";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/kxpack/registry";
}

void SetRegistryDirectory(std::string directory) {
  std::lock_guard lock(DirectoryMutex());
  DirectoryOverride() = std::move(directory);
}

}  // namespace host::registry
