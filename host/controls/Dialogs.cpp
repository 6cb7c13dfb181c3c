#include "host/controls/Dialogs.h"

#include <cstdio>
#include <mutex>

#include "host/controls/Forms.h"
#include "host/controls/MessageForm.h"
#include "host/platform/Platform.h"
#include "host/threads/Threads.h"

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
  // The form needs the main thread and someone to press OK: a headless
  // platform has nobody at the screen, so the text goes to stderr there.
  if (Application && IsMainThread() && Platform::Current().Name() != "headless") {
    ShowMessageForm(Msg);
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
