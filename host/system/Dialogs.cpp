#include "host/system/Dialogs.h"

#include <cstdio>
#include <mutex>

namespace host {

namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}

TShowMessageHook& Hook() {
  static TShowMessageHook hook;
  return hook;
}

}  // namespace

void ShowMessage(const std::string& Msg) {
  TShowMessageHook hook;
  {
    std::lock_guard lock(HookMutex());
    hook = Hook();
  }
  if (hook) {
    hook(Msg);
    return;
  }
  std::fprintf(stderr, "%s\n", Msg.c_str());
}

TShowMessageHook SetShowMessageHook(TShowMessageHook hook) {
  std::lock_guard lock(HookMutex());
  std::swap(Hook(), hook);
  return hook;
}

}  // namespace host
