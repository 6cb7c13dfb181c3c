#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz/FormReaderFuzz.h"
#include "fuzz/ImageDecodeFuzz.h"
#include "host/base/FileContents.h"

namespace {

// Runs one fuzz target's check on every input kept for it (the seeds and
// whatever the fuzzer ever found) under tests/fuzz/TARGET; the check aborts
// on a fault. Returns how many inputs it replayed.
template <class Check>
int ReplayInputs(const std::string& target, Check check) {
  const std::filesystem::path dir =
      std::filesystem::path(KX_SOURCE_DIR) / "tests" / "fuzz" / target;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string bytes = host::ReadFileContents(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  return replayed;
}

// Every form input still reads, or fails cleanly leaving nothing behind.
TEST(FuzzInputs, FormReaderReplaysWithoutFault) {
  EXPECT_GT(ReplayInputs("form_reader_fuzz", fuzz::ReadFormBytes), 0);
}

// Every image input still decodes and survives a save, or fails cleanly.
TEST(FuzzInputs, ImageDecoderReplaysWithoutFault) {
  EXPECT_GT(ReplayInputs("image_decode_fuzz", fuzz::DecodeImageBytes), 0);
}

}  // namespace
