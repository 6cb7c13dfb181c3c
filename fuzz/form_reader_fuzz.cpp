// libFuzzer target: the form file reader on arbitrary input.
#include "fuzz/FormReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ReadFormBytes(data, size);
  return 0;
}
