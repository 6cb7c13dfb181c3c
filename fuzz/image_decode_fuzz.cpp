// libFuzzer target: the BMP and PNG decoders on arbitrary input.
#include "fuzz/ImageDecodeFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DecodeImageBytes(data, size);
  return 0;
}
