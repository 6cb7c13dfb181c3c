#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/FormReaderFuzz.h"
#include "host/base/FileContents.h"

namespace {

// Every input the form reader fuzzer ever found (and its seeds) still reads
// or fails cleanly.
TEST(FormReaderFuzzInputs, ReplayWithoutFault) {
  const std::filesystem::path dir =
      std::filesystem::path(KX_SOURCE_DIR) / "tests" / "fuzz" / "form_reader_fuzz";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string bytes = host::ReadFileContents(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    fuzz::ReadFormBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
