#include "host/threads/Clock.h"

#include <atomic>
#include <chrono>

namespace host {

namespace {

std::atomic<TickSource*> g_tick_source{nullptr};

int64_t SteadyNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void SetTickSource(TickSource* source) { g_tick_source.store(source); }

int64_t TickCountMs() {
  TickSource* source = g_tick_source.load();
  return source ? source->NowMs() : SteadyNowMs();
}

}  // namespace host
