#pragma once
// One run of the form reader on arbitrary bytes, shared by the libFuzzer
// target and the test that replays the inputs it found. Aborts on a fault:
// a read that fails must leave an existing form untouched, and a form that
// was read must write, read back and write again to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/classes/Streaming.h"
#include "kxpack/package/KxPack.h"
#include "tests/host/streaming/SampleComponents.h"

namespace fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// Forms may hold the sample classes, the host's controls and the package's
// components, all on the headless platform.
inline void RegisterFormClasses() {
  setenv("KX_PLATFORM", "headless", 0);
  sample::RegisterSampleClasses();
  (void)kx::HInstance();  // keeps the package linked, and its classes registered
}

inline void ReadFormBytes(const uint8_t* data, size_t size) {
  static const bool registered = (RegisterFormClasses(), true);
  (void)registered;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  host::TComponent* form = nullptr;
  try {
    form = host::ReadForm(text, "fuzz.kxf");
  } catch (const host::EReadError&) {
  }
  if (form) {
    const std::string written = host::WriteForm(form);
    form->Free();
    host::TComponent* again = host::ReadForm(written, "written.kxf");
    Check(host::WriteForm(again) == written);
    again->Free();
  }

  sample::TSampleForm existing(nullptr);
  existing.SetName("Existing");
  try {
    host::ReadFormInto(&existing, text, "fuzz.kxf");
  } catch (const host::EReadError&) {
    Check(existing.ComponentCount() == 0 && existing.Name() == "Existing" &&
          existing.ComponentState().Empty());
  }
}

}  // namespace fuzz
