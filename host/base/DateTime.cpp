#include "host/base/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>
#include <optional>

#include "host/threads/Clock.h"

namespace host {

namespace {

constexpr double kMsPerDay = 86400000.0;
// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpoch = 25569.0;

struct SetClock {
  TDateTime At;    // what Now reported when it was set
  int64_t TickMs;  // TickCountMs then
};

std::mutex g_mutex;
std::optional<SetClock> g_set;

// Days since 0001-03-01 for a proleptic Gregorian date (years start in
// March, so the leap day comes last).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // relative to 1970-01-01
}

// The whole milliseconds of a TDateTime, rounded so that 0.1 s stays 100 ms.
int64_t TotalMs(TDateTime value) { return std::llround(value * kMsPerDay); }

}  // namespace

TDateTime Now() {
  {
    std::lock_guard lock(g_mutex);
    if (g_set) return g_set->At + static_cast<double>(TickCountMs() - g_set->TickMs) / kMsPerDay;
  }
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  return EncodeDate(static_cast<uint16_t>(local.tm_year + 1900),
                    static_cast<uint16_t>(local.tm_mon + 1), static_cast<uint16_t>(local.tm_mday)) +
         EncodeTime(static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
                    static_cast<uint16_t>(local.tm_sec), static_cast<uint16_t>(ms));
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() {
  const TDateTime now = Now();
  return now - std::floor(now);
}

void SetNow(TDateTime now) {
  std::lock_guard lock(g_mutex);
  g_set = SetClock{now, TickCountMs()};
}

void ResetNow() {
  std::lock_guard lock(g_mutex);
  g_set.reset();
}

bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day) {
  static constexpr uint16_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1) return false;
  const bool leap = Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
  return Day <= kDays[Month - 1] + (Month == 2 && leap ? 1 : 0);
}

bool IsValidTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec) {
  return Hour < 24 && Min < 60 && Sec < 60 && MSec < 1000;
}

TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day) {
  return static_cast<double>(DaysFromCivil(Year, Month, Day)) + kUnixEpoch;
}

TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec) {
  return ((Hour * 60.0 + Min) * 60.0 + Sec + MSec / 1000.0) * 1000.0 / kMsPerDay;
}

void DecodeDate(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
  const int64_t z = static_cast<int64_t>(std::floor(Value - kUnixEpoch)) + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t m = mp + (mp < 10 ? 3 : -9);
  Year = static_cast<uint16_t>(yoe + era * 400 + (m <= 2));
  Month = static_cast<uint16_t>(m);
  Day = static_cast<uint16_t>(doy - (153 * mp + 2) / 5 + 1);
}

void DecodeTime(TDateTime Value, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
  const int64_t ms = TotalMs(Value - std::floor(Value));
  const int64_t inDay = ms % static_cast<int64_t>(kMsPerDay);
  Hour = static_cast<uint16_t>(inDay / 3600000);
  Min = static_cast<uint16_t>(inDay / 60000 % 60);
  Sec = static_cast<uint16_t>(inDay / 1000 % 60);
  MSec = static_cast<uint16_t>(inDay % 1000);
}

}  // namespace host
