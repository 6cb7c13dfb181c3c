#include "host/threads/Threads.h"

#include "host/threads/KernelEvents.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "host/threads/MessageLoop.h"

namespace host {

namespace {

// Initialised while the library loads, which happens on the main thread.
const std::thread::id g_main_thread = std::this_thread::get_id();

// The TThread whose Execute runs on this OS thread, if any.
thread_local TThread* t_current = nullptr;

struct SyncRequest {
  const TThreadMethod* method;
  TThread* caller;  // nullptr for a thread that is not a TThread
  // The caller's worker activity ended while the call waits; the main thread
  // counts it again when the call is done.
  bool activity_ended = false;
  std::exception_ptr error;
  bool done = false;
  // Made on waking from a wait, not straight after the caller's last call.
  bool after_wait = false;
};

// Calls queued by workers for the main thread. `changed` is signalled when a
// call is queued, when one is done and when a thread finishes, so the main
// thread can wait for a thread and serve calls at the same time.
struct SyncQueue {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<SyncRequest*> pending;
};

// The callers whose synchronised calls the main thread is running now,
// innermost last. Main thread only.
std::vector<TThread*>& RunningCalls() {
  static auto* callers = new std::vector<TThread*>;
  return *callers;
}

// Whether the main thread is, further up its stack, inside a call that thread
// synchronised: that thread cannot finish before the call returns.
bool InsideCallOf(const TThread* thread) {
  const auto& running = RunningCalls();
  return IsMainThread() && std::find(running.begin(), running.end(), thread) != running.end();
}

SyncQueue& Sync() {
  static auto* queue = new SyncQueue;  // outlives static destruction
  return *queue;
}

void NotifySyncWaiters() {
  SyncQueue& sync = Sync();
  std::lock_guard lock(sync.mutex);
  sync.changed.notify_all();
}

// The OS threads of TThreads that freed themselves, each joined by the next
// one to free itself or when the library unloads: never left detached, so
// the last steps of such a thread happen before what the process tears down
// after it.
class ReapedThreads {
 public:
  ~ReapedThreads() { JoinAll(); }
  void Add(std::thread finishing) {
    JoinAll();  // those that freed themselves before this one have ended by now
    std::lock_guard lock(mutex_);
    threads_.push_back(std::move(finishing));
  }

 private:
  void JoinAll() {
    std::vector<std::thread> done;
    {
      std::lock_guard lock(mutex_);
      done.swap(threads_);
    }
    for (std::thread& t : done) t.join();
  }
  std::mutex mutex_;
  std::vector<std::thread> threads_;
};

ReapedThreads& Reaped() {
  static ReapedThreads reaped;
  return reaped;
}

// The process's nice value when the library loaded; priorities are relative
// to it, as the host's are relative to the process's priority class.
const int g_base_nice = getpriority(PRIO_PROCESS, 0);

// Offsets from it of the priorities above tpIdle (which maps to SCHED_IDLE).
constexpr int kNiceOffset[] = {0, 10, 5, 0, -5, -10, -15};

}  // namespace

std::thread::id MainThreadID() { return g_main_thread; }

bool IsMainThread() { return std::this_thread::get_id() == g_main_thread; }

namespace {

// Runs the calls queued now (only those of `only` when it is set), one by
// one, so that a call running a nested loop (a modal form) leaves the others
// to that loop. A worker that queues its next call as soon as one is done
// must not keep the main thread from its messages, hence "queued now".
bool RunQueuedCalls(const TThread* only) {
  SyncQueue& sync = Sync();
  auto matches = [only](const SyncRequest* r) { return !only || r->caller == only; };
  size_t budget;
  {
    std::lock_guard lock(sync.mutex);
    budget = std::count_if(sync.pending.begin(), sync.pending.end(), matches);
  }
  bool ran = false;
  for (; budget > 0; --budget) {
    SyncRequest* request;
    {
      std::lock_guard lock(sync.mutex);
      auto it = std::find_if(sync.pending.begin(), sync.pending.end(), matches);
      if (it == sync.pending.end()) break;
      request = *it;
      sync.pending.erase(it);
    }
    RunningCalls().push_back(request->caller);
    try {
      (*request->method)();
    } catch (...) {
      request->error = std::current_exception();
    }
    RunningCalls().pop_back();
    ran = true;
    if (request->activity_ended) CountReleasedWorker();
    std::lock_guard lock(sync.mutex);
    request->done = true;
    sync.changed.notify_all();
  }
  return ran;
}

bool CallQueuedBy(const TThread* caller) {
  const auto& pending = Sync().pending;
  return std::any_of(pending.begin(), pending.end(),
                     [caller](const SyncRequest* r) { return r->caller == caller; });
}

}  // namespace

bool WokenCallsQueued() {
  SyncQueue& sync = Sync();
  std::lock_guard lock(sync.mutex);
  return std::any_of(sync.pending.begin(), sync.pending.end(),
                     [](const SyncRequest* r) { return r->after_wait; });
}

bool CheckSynchronize() {
  if (!IsMainThread())
    throw EThread("CheckSynchronize called from a thread that is not the main thread");
  return RunQueuedCalls(nullptr);
}

// --- SafePointWait -------------------------------------------------------------

SafePointWait::SafePointWait() : thread_(t_current) {
  if (thread_) thread_->EnterWait();
}

SafePointWait::~SafePointWait() {
  if (thread_) thread_->LeaveWait();
}

// --- TThread -------------------------------------------------------------------

TThread::TThread() = default;

TThread::~TThread() {
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    Reaped().Add(std::move(thread_));  // FreeOnTerminate: the thread is freeing itself
    return;
  }
  StopAndWait();
  thread_.join();
}

void TThread::Free() {
  if (t_current == this || InsideCallOf(this)) {
    // Waiting here would never end; the thread frees itself once Execute
    // has returned.
    Terminate();
    std::lock_guard lock(mutex_);
    free_on_terminate_ = true;
    suspend_count_ = 0;
    changed_.notify_all();
    return;
  }
  StopAndWait();
  delete this;
}

void TThread::Start() {
  std::lock_guard lock(mutex_);
  if (started_) throw EThread("Cannot call Start on a running or suspended thread");
  suspend_count_ = 0;
  Launch();
}

void TThread::Resume() {
  std::lock_guard lock(mutex_);
  if (suspend_count_ == 0 || --suspend_count_ > 0) return;
  if (!started_) {
    Launch();
    return;
  }
  if (paused_ && !resume_counted_) {
    CountReleasedWorker();
    resume_counted_ = true;
  }
  changed_.notify_all();
}

void TThread::Suspend() {
  std::unique_lock lock(mutex_);
  ++suspend_count_;
  if (!started_ || finished_) return;
  if (t_current == this) {
    PauseWhileSuspended(lock);
    return;
  }
  changed_.wait(lock, [&] { return paused_ || waits_ > 0 || finished_; });
}

bool TThread::Suspended() const {
  std::lock_guard lock(mutex_);
  return suspend_count_ > 0;
}

void TThread::Terminate() { terminated_ = true; }

bool TThread::Terminated() const {
  if (t_current == this) {
    std::unique_lock lock(mutex_);
    PauseWhileSuspended(lock);
  }
  return terminated_;
}

int32_t TThread::WaitFor() {
  {
    std::lock_guard lock(mutex_);
    if (!started_) throw EThread("Cannot wait for a thread that was never started");
  }
  if (t_current == this) throw EThread("A thread cannot wait for itself");
  if (InsideCallOf(this))
    throw EThread("Cannot wait for a thread inside a call that it synchronised");
  WaitUntilFinished();
  return return_value_;
}

bool TThread::Finished() const { return finished_; }

bool TThread::FreeOnTerminate() const {
  std::lock_guard lock(mutex_);
  return free_on_terminate_;
}

void TThread::SetFreeOnTerminate(bool value) {
  std::lock_guard lock(mutex_);
  free_on_terminate_ = value;
}

TThreadPriority TThread::Priority() const {
  std::lock_guard lock(mutex_);
  return priority_;
}

void TThread::SetPriority(TThreadPriority value) {
  std::lock_guard lock(mutex_);
  priority_ = value;
  ApplyPriority();
}

std::thread::id TThread::ThreadID() const {
  std::lock_guard lock(mutex_);
  return id_;
}

std::exception_ptr TThread::FatalException() const {
  std::lock_guard lock(mutex_);
  return fatal_;
}

TNotifyEvent TThread::OnTerminate() const {
  std::lock_guard lock(mutex_);
  return on_terminate_;
}

void TThread::SetOnTerminate(TNotifyEvent value) {
  std::lock_guard lock(mutex_);
  on_terminate_ = std::move(value);
}

void TThread::Synchronize(const TThreadMethod& method) {
  if (IsMainThread()) {
    method();
    return;
  }
  SafePointWait safe_point;
  SyncRequest request{&method, t_current, false, nullptr, false};
  SyncQueue& sync = Sync();
  {
    std::lock_guard lock(sync.mutex);
    sync.pending.push_back(&request);
    // Waiting for the main thread, this thread is settled: whoever drives
    // the clock need not wait for it (a worker that synchronises back to
    // back would otherwise never let it rest). Ended once the call is
    // queued, so a settled worker's call is always there to be seen.
    request.activity_ended = EndWorkerActivity();
    request.after_wait = TakeWaitedMark();
    sync.changed.notify_all();
  }
  WakeMainThread();
  {
    std::unique_lock lock(sync.mutex);
    sync.changed.wait(lock, [&] { return request.done; });
  }
  if (request.activity_ended) AdoptReleasedWorker();
  if (request.error) std::rethrow_exception(request.error);
}

void TThread::DoTerminate() {
  TNotifyEvent handler = OnTerminate();
  if (handler) Synchronize([&] { handler(this); });
}

void TThread::Launch() {
  started_ = true;
  CountReleasedWorker();
  thread_ = std::thread([this] {
    AdoptReleasedWorker();
    Run();
  });
}

void TThread::Run() {
  t_current = this;
  {
    std::unique_lock lock(mutex_);
    id_ = std::this_thread::get_id();
    kernel_tid_ = gettid();
    ApplyPriority();
    PauseWhileSuspended(lock);
  }
  if (!terminated_) {
    try {
      Execute();
    } catch (...) {
      std::lock_guard lock(mutex_);
      fatal_ = std::current_exception();
    }
  }
  try {
    DoTerminate();
  } catch (...) {
    std::lock_guard lock(mutex_);
    if (!fatal_) fatal_ = std::current_exception();
  }
  EndWorkerActivity();
  bool free_self;
  {
    std::lock_guard lock(mutex_);
    free_self = free_on_terminate_;
    finished_ = true;
    changed_.notify_all();
  }
  // From here on `this` may be gone unless the thread frees itself.
  NotifySyncWaiters();
  if (free_self) delete this;
}

void TThread::StopAndWait() {
  Terminate();
  {
    std::lock_guard lock(mutex_);
    if (!started_) return;
    free_on_terminate_ = false;  // the caller frees it
    suspend_count_ = 0;
    changed_.notify_all();
  }
  WaitUntilFinished();
}

void TThread::WaitUntilFinished() {
  if (IsMainThread()) {
    // Only this thread's calls: a form being torn down must not run another
    // component's handler from inside its destructor.
    SyncQueue& sync = Sync();
    while (!finished_) {
      RunQueuedCalls(this);
      std::unique_lock lock(sync.mutex);
      sync.changed.wait(lock, [&] { return finished_ || CallQueuedBy(this); });
    }
    return;
  }
  SafePointWait safe_point;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return finished_.load(); });
}

void TThread::PauseWhileSuspended(std::unique_lock<std::mutex>& lock) const {
  if (suspend_count_ == 0) return;
  paused_ = true;
  changed_.notify_all();
  EndWorkerActivity();  // settled until Resume lets it go
  changed_.wait(lock, [&] { return suspend_count_ == 0; });
  paused_ = false;
  if (resume_counted_) {
    resume_counted_ = false;
    AdoptReleasedWorker();
  }
}

void TThread::EnterWait() {
  std::unique_lock lock(mutex_);
  PauseWhileSuspended(lock);
  ++waits_;
  changed_.notify_all();
}

void TThread::LeaveWait() {
  std::unique_lock lock(mutex_);
  --waits_;
  PauseWhileSuspended(lock);
}

void TThread::ApplyPriority() {
  if (kernel_tid_ == 0 || finished_) return;
  // Failures are expected (raising priority needs privileges) and ignored.
  sched_param param{};
  sched_setscheduler(kernel_tid_, priority_ == tpIdle ? SCHED_IDLE : SCHED_OTHER, &param);
  if (priority_ != tpIdle)
    setpriority(PRIO_PROCESS, kernel_tid_,
                std::clamp(g_base_nice + kNiceOffset[priority_], -20, 19));
}

}  // namespace host
