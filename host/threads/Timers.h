#pragma once
// Message timers: SetTimer makes the loop deliver WM_TIMER (wParam = the
// timer's id) to a window every elapse milliseconds. Due ticks do not pile
// up: however late the loop is, a timer yields one WM_TIMER and the next one
// a full period later.
#include <cstdint>

#include "host/base/Messages.h"

namespace host {

using UINT_PTR = uintptr_t;
struct TMsg;

// Periods are clamped to this range, as the host does.
inline constexpr uint32_t USER_TIMER_MINIMUM = 10;
inline constexpr uint32_t USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Starts (or restarts with a new period) timer id of hwnd. Returns id (1 for
// id 0), or 0 when hwnd is nullptr or the process already runs TimerLimit()
// timers.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, uint32_t elapseMs);
// Stops it; false when there was no such timer.
bool KillTimer(HWND hwnd, UINT_PTR id);

// How many timers the process may run at once (10000 by default, like the
// host's per-process quota); tests lower it to reach the failure path.
void SetTimerLimit(int limit);
int TimerLimit();
// How many timers run now.
int TimerCount();

// --- Used by the message loop ------------------------------------------------

// Fills msg with WM_TIMER for the most overdue timer at time nowMs and, when
// remove is set, starts its next period. False when none is due.
bool TakeDueTimer(int64_t nowMs, TMsg& msg, bool remove);
// Milliseconds from nowMs until the next timer is due (0 if one is); -1 when
// no timer runs.
int64_t MsUntilNextTimer(int64_t nowMs);
// Stops every timer of hwnd (a window going away).
void KillWindowTimers(HWND hwnd);

}  // namespace host
