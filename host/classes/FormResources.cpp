// Stored form layouts embedded in a module, read like form files named after
// the resource.
#include "host/classes/Streaming.h"

namespace host {

namespace {

std::string_view LayoutText(HMODULE module, std::string_view name) {
  const std::span<const uint8_t> data = FindResourceData(module, name, RT_FORM);
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

}  // namespace

TComponent* ReadFormResource(HMODULE module, std::string_view name, TComponent* owner) {
  return ReadForm(LayoutText(module, name), name, owner);
}

void ReadFormResourceInto(TComponent* root, HMODULE module, std::string_view name) {
  ReadFormInto(root, LayoutText(module, name), name);
}

}  // namespace host
