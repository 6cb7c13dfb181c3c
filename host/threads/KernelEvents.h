#pragma once
// Win32-style kernel events: an auto-reset or manual-reset flag that threads
// wait on with a time-out. A wait on a worker thread is one of its safe
// points: a pending Suspend pauses the thread there (see TThread).
#include <cstdint>

namespace host {

struct KernelObject;
// A handle to a kernel object; nullptr is no handle. Closing a handle while
// another thread waits on it is safe: the object lives until the wait ends.
using HANDLE = KernelObject*;
using DWORD = uint32_t;

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// A new unnamed event. An auto-reset event (manualReset false) releases one
// waiter per SetEvent and turns non-signalled again as it does.
HANDLE CreateEvent(bool manualReset, bool initialState);
// Signal / clear; false for a handle that is not an open event.
bool SetEvent(HANDLE event);
bool ResetEvent(HANDLE event);
// Waits until the event is signalled (WAIT_OBJECT_0) or timeoutMs have passed
// on the loop's clock (TickCountMs, so a manual clock moves it: WAIT_TIMEOUT);
// INFINITE waits without limit, 0 only tests. WAIT_FAILED for a handle that is
// not open.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);
// False when the handle was not open.
bool CloseHandle(HANDLE handle);

// --- Driving the waits by a clock that jumps ----------------------------------
//
// A wait released by SetEvent or by its time-out passing on a manual clock
// counts as worker activity until that thread waits again or its TThread
// ends, so whoever moves the clock can tell when every worker has reacted.

// Wakes the timed waits whose time-out has passed on the installed clock;
// a clock that jumps calls it after each jump. Any thread.
void WakeDueWaits();
// The earliest time-out (TickCountMs) among the timed waits in progress, or
// -1 when there is none.
int64_t NextWaitDeadline();
// True when no released wait is still on its way to its thread's next wait.
bool WorkersSettled();
// A thread being started or resumed counts as activity until its next wait:
// the thread that lets it go calls CountReleasedWorker, the thread itself
// AdoptReleasedWorker once it runs.
void CountReleasedWorker();
void AdoptReleasedWorker();
// The calling thread is done, or waits for another thread: the activity its
// last released wait started ends here. True when it held such activity.
// TThread calls it when Execute has returned and while a call it
// synchronised waits for the main thread.
bool EndWorkerActivity();
// True when the calling thread has waited on an event since it last asked
// (or since it started); asking clears the mark. Synchronize keeps it with
// each call, so that a call a worker makes on waking is told from calls it
// makes back to back.
bool TakeWaitedMark();

}  // namespace host
