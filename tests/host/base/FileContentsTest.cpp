// Reading a whole file in one call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/base/FileContents.h"
#include "host/base/SysUtils.h"

namespace {

namespace fs = std::filesystem;

class FileContentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("file-contents-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  fs::path dir_;
};

TEST_F(FileContentsTest, GivesEveryByteBackAsWritten) {
  std::string large(300000, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 31 % 251);
  const std::string contents[] = {"", std::string("a\0b\r\n\xff", 6), large};
  for (const std::string& bytes : contents) {
    SCOPED_TRACE(bytes.size());
    EXPECT_EQ(host::ReadFileContents(Write("f.bin", bytes)), bytes);
  }
}

TEST_F(FileContentsTest, FailuresNameTheFileWithTheHostsExceptions) {
  const std::string missing = (dir_ / "absent.txt").string();
  try {
    host::ReadFileContents(missing);
    ADD_FAILURE() << "no exception";
  } catch (const host::EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  // A directory opens but cannot be read as a file.
  EXPECT_THROW(host::ReadFileContents(dir_.string()), host::EReadError);
}

}  // namespace
