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
// (WAIT_TIMEOUT); INFINITE waits without limit, 0 only tests. WAIT_FAILED
// for a handle that is not open.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);
// False when the handle was not open.
bool CloseHandle(HANDLE handle);

}  // namespace host
