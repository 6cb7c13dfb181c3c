#pragma once
// The wall clock and TDateTime arithmetic: days since 1899-12-30, the
// fraction the time of day, in local time. The clock can be set (a scripted
// session or a test fixes the date); it then advances with the loop's clock
// (TickCountMs), so a manual clock moves it too.
#include <cstdint>

#include "host/base/Types.h"

namespace host {

TDateTime Now();
// Now without the time of day, and only the time of day.
TDateTime Date();
TDateTime Time();
// From now on Now() reports now plus the time the loop's clock moves on.
void SetNow(TDateTime now);
// Back to the system's clock.
void ResetNow();

// True when the parts name a real date (years 1..9999) or time of day.
bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day);
bool IsValidTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec);
// No range checks: the caller passes a valid date or time.
TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day);
TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec);
void DecodeDate(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime Value, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);

}  // namespace host
