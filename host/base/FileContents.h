#pragma once
// Reading a whole file into memory in one call.
#include <string>

namespace host {

// Every byte of the file at path. Raises EFOpenError "Cannot open file
// "PATH". REASON" when the file cannot be opened, and EReadError "Cannot read
// file "PATH". REASON" when reading it fails (a directory, an I/O error).
std::string ReadFileContents(const std::string& path);

}  // namespace host
