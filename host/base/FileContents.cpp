#include "host/base/FileContents.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "host/base/SysUtils.h"

namespace host {

std::string ReadFileContents(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rbe"),
                                                             &std::fclose);
  if (!file) throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  // Read to the end rather than trusting a size: pipes and /proc files
  // report none or the wrong one.
  std::string text;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
  if (std::ferror(file.get()))
    throw EReadError("Cannot read file \"" + path + "\". " + std::strerror(errno));
  return text;
}

}  // namespace host
