#pragma once
// The main thread's message queue and the core of its loop: posted messages,
// WM_TIMER for due timers, WM_PAINT from the controls layer, OS events from
// the platform, and calls synchronised from worker threads.
//
// PeekMessage looks, in this order, at: calls waiting in Synchronize (run at
// once), the platform's pending events (Pump), posted messages (first in,
// first out), a quit request, a window that needs painting, a due timer.
// GetMessage and WaitMessage sleep in the platform until one of these can
// arrive: a post, a Synchronize or Wake from any thread, an OS event, or the
// next timer's due time.
#include <cstdint>
#include <functional>

#include "host/base/Messages.h"
#include "host/base/Types.h"

namespace host {

// A message taken from the queue.
struct TMsg {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  uint32_t time = 0;  // TickCountMs when it was queued or generated
  TPoint pt;
};

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

// Where the loop gets OS events from and sleeps; the platform implements it.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Moves pending OS events into the host (input routing, PostMessage).
  // Main thread only.
  virtual void Pump() = 0;
  // Sleeps in the OS until an OS event arrives, Wake is called, or timeoutMs
  // pass (-1: no limit). A Wake that came before the call makes it return at
  // once. Main thread only.
  virtual void Wait(int64_t timeoutMs) = 0;
  // Ends the current or next Wait early. Any thread.
  virtual void Wake() = 0;
};

// Installs the event source (nullptr: a built-in one that has no OS events
// and sleeps on a condition variable). The source must outlive its use.
void SetEventSource(EventSource* source);
EventSource& CurrentEventSource();

// The controls layer's painting hook: fills msg with a WM_PAINT for a window
// that needs painting and returns true, or returns false. Asked only when no
// posted message is waiting. Main thread only.
void SetPaintMessageSource(std::function<bool(TMsg& msg)> source);

// Any thread:

// Queues a message for hwnd (which may be nullptr: a message for the loop
// itself) and wakes the main thread. hwnd must stay alive until
// the message is dispatched or the window is destroyed (destroying a window
// drops its queued messages and timers).
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Calls hwnd's window procedure and returns its result. From a worker thread
// the call runs on the main thread (through Synchronize) while the worker
// waits. 0 when hwnd is nullptr.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// The loop ends: once the posted messages are taken, the queue yields
// WM_QUIT (wParam = exitCode) and GetMessage returns false.
void PostQuitMessage(int exitCode);
// Ends the main thread's current or next wait (see EventSource::Wake).
void WakeMainThread();

// Default processing of a message no handler took: result 0.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The rest belongs to the main thread.

// Takes (PM_REMOVE) or looks at (PM_NOREMOVE) the next message; false when
// none is waiting. Never sleeps.
bool PeekMessage(TMsg& msg, UINT removeMsg = PM_REMOVE);
// Whether a message waits, as PeekMessage with PM_NOREMOVE would see it, but
// without running the calls waiting in Synchronize.
bool MessageWaiting();
// For a modal loop that takes the OS events itself (a window being moved or
// sized): runs the calls waiting in Synchronize, then dispatches the posted
// messages, paints and due timers that wait, without taking OS events. A
// quit request stays for the outer loop.
void DispatchWaitingMessages();
// Takes the next message, sleeping until one comes; false for WM_QUIT.
bool GetMessage(TMsg& msg);
// Sleeps until a message may be waiting (see above). Returns at once if one
// already is.
void WaitMessage();
// Calls the window procedure of msg.hwnd; returns its result (0 for no window).
LRESULT DispatchMessage(const TMsg& msg);

}  // namespace host
