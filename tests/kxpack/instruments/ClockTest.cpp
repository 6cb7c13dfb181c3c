// The seven-segment clock from the outside: a session drives a form holding
// it with virtual time and a set wall clock, and the cells it shows are
// checked pixel by pixel against the recoloured glyphs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "host/base/DateTime.h"
#include "host/classes/Streaming.h"
#include "host/controls/Panels.h"
#include "host/graphics/Resources.h"
#include "host/testing/Session.h"
#include "kxpack/foundations/KxConst.h"
#include "kxpack/instruments/KxDisplayClock.h"
#include "kxpack/instruments/KxGradient.h"
#include "kxpack/package/KxPack.h"

namespace kx::testing {
namespace {

using namespace host;

constexpr TColor kBackground = 0x00402010;
// No AM/PM cell expected.
constexpr int kNoZone = -1;
constexpr int kPm = 0;
constexpr int kAm = 1;

TDateTime At(uint16_t h, uint16_t m, uint16_t s) {
  return EncodeDate(2026, 3, 14) + EncodeTime(h, m, s, 0);
}

int GlyphWidth(const char* Name) {
  TBitmap glyph;
  glyph.SetHandle(LoadBitmap(HInstance(), Name));
  return glyph.Width();
}

class ClockTest : public host::testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    host::SetNow(At(9, 0, 0));
    form = MakeForm(100, 100, 300, 120);
    clock = new TKxDisplayClock(form);
    clock->SetName("Clock");
    clock->SetBounds(10, 10, 110, 26);
    clock->SetColor(kBackground);
    clock->SetParent(form);
    clock->SetOnHoursChanged([this](TObject*, Word v) { Log("H", v); });
    clock->SetOnMinutesChanged([this](TObject*, Word v) { Log("M", v); });
    clock->SetOnSecondsChanged([this](TObject*, Word v) { Log("S", v); });
    session = std::make_unique<Session>(form);
  }
  void TearDown() override {
    session.reset();
    host::ResetNow();
    HeadlessTest::TearDown();
  }

  void Log(const char* what, Word v) { events.push_back(what + std::to_string(v)); }

  // Expects the clock to show Text ("12:34" or "12:34:56"), the colons drawn
  // or left out, and the AM/PM cell Zone (kNoZone: none) after the row.
  void ExpectShows(const std::string& Text, bool Colons, int Zone = kNoZone) {
    SCOPED_TRACE("showing " + Text);
    const TKxDisplayNumStyle style = clock->Style();
    const int sepWidth = GlyphWidth(ResClockId[style]);
    const int zoneWidth = GlyphWidth(ResTimeZoneId[style]) / 2;
    const int step = clock->Spacing();
    const int y = (clock->Height() - clock->CellHeight()) / 2;
    int x = 0;
    for (char c : Text) {
      if (c == ':') {
        if (Colons)
          ExpectGlyph(*form, *clock, ResClockId[style], sepWidth, 0, x, y, kBackground);
        else
          ExpectBackground(x, y, sepWidth, clock->CellHeight());
        x += sepWidth + step;
      } else {
        ExpectGlyph(*form, *clock, ResNumId[style], clock->CellWidth(), c - '0', x, y, kBackground);
        x += clock->CellWidth() + step;
      }
    }
    if (Zone != kNoZone)
      ExpectGlyph(*form, *clock, ResTimeZoneId[style], zoneWidth, Zone, x, y, kBackground);
    EXPECT_EQ(clock->Width(), Zone == kNoZone ? x - step : x + zoneWidth);
  }
  void ExpectBackground(int X, int Y, int W, int H) {
    int other = 0;
    for (int j = Y; j < Y + H; ++j)
      for (int i = X; i < X + W; ++i)
        other += form->Framebuffer().At(clock->Left() + i, clock->Top() + j) !=
                 ColorToPixel(kBackground);
    EXPECT_EQ(other, 0) << "at x " << X;
  }

  TForm* form = nullptr;
  TKxDisplayClock* clock = nullptr;
  std::unique_ptr<Session> session;
  std::vector<std::string> events;
};

TEST_F(ClockTest, ANewClockShowsZerosInWhiteAndNothingMoves) {
  ExpectShows("00:00:00", true);
  EXPECT_EQ(clock->Palette()->High(), clWhite);
  EXPECT_EQ(clock->Palette()->Low(), clBlack);
  session->Wait(5000);
  ExpectShows("00:00:00", true);
  EXPECT_TRUE(events.empty());
}

struct ModeCase {
  const char* name;
  TKxDisplayClockType type;
  bool hours24;
  bool showSeconds;
  int64_t waitMs;
  const char* shown;
};

class ClockModes : public ClockTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ClockModes, ShowTheTimeOfTheModeAfterTheTicks) {
  const ModeCase& c = GetParam();
  session->SetNow(At(13, 45, 30));
  clock->SetClockType(c.type);
  clock->SetHours24(c.hours24);
  clock->SetShowSeconds(c.showSeconds);
  if (c.type == tctCustom) {
    clock->SetHours(7);
    clock->SetMinutes(8);
    clock->SetSeconds(9);
  }
  clock->SetActive(true);
  session->Wait(c.waitMs);
  ExpectShows(c.shown, true);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ClockModes,
    ::testing::Values(ModeCase{"RealTime24", tctRealTime, true, true, 1000, "13:45:31"},
                      ModeCase{"RealTime12", tctRealTime, false, true, 1000, "01:45:31"},
                      ModeCase{"RealTimeNoSeconds", tctRealTime, true, false, 31000, "13:46"},
                      ModeCase{"Elapsed", tctElapsed, true, true, 65000, "00:01:05"},
                      // The first hour of an elapsed 12-hour clock shows 12.
                      ModeCase{"Elapsed12", tctElapsed, false, true, 3000, "12:00:03"},
                      ModeCase{"Custom", tctCustom, true, true, 5000, "07:08:09"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, BlinkingColonsShowEveryOtherTick) {
  session->SetNow(At(10, 0, 0));
  clock->SetClockType(tctRealTime);
  clock->SetBlink(true);
  clock->SetActive(true);
  ExpectShows("00:00:00", true);
  session->Wait(1000);
  ExpectShows("10:00:01", false);
  session->Wait(1000);
  ExpectShows("10:00:02", true);
  session->Wait(1000);
  ExpectShows("10:00:03", false);
  // Without seconds the blink still repaints every tick.
  clock->SetShowSeconds(false);
  session->Wait(1000);
  ExpectShows("10:00", true);
}

struct ZoneCase {
  const char* name;
  bool hours24;
  uint16_t startHour;  // the clock starts at startHour:59:58
  const char* before;
  int zoneBefore;
  const char* after;
  int zoneAfter;
};

class ClockTimeZone : public ClockTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(ClockTimeZone, TheAmPmCellTurnsWithTheHour) {
  const ZoneCase& c = GetParam();
  session->SetNow(At(c.startHour, 59, 58));
  clock->SetClockType(tctRealTime);
  clock->SetHours24(c.hours24);
  clock->SetShowTimeZone(true);
  clock->SetActive(true);
  session->Wait(1000);
  ExpectShows(c.before, true, c.zoneBefore);
  session->Wait(1000);
  ExpectShows(c.after, true, c.zoneAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Noon, ClockTimeZone,
    ::testing::Values(ZoneCase{"Noon12", false, 11, "11:59:59", kAm, "12:00:00", kPm},
                      ZoneCase{"Midnight12", false, 23, "11:59:59", kPm, "12:00:00", kAm},
                      ZoneCase{"Noon24", true, 11, "11:59:59", kAm, "12:00:00", kPm},
                      ZoneCase{"Midnight24", true, 23, "23:59:59", kPm, "00:00:00", kAm}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, TheAmPmCellBelongsToTheRealTimeClockOnly) {
  clock->SetShowTimeZone(true);
  session->Settle();
  ExpectShows("00:00:00", true);
}

TEST_F(ClockTest, AnElapsedClockWrapsAtTwentyFourHours) {
  session->SetNow(At(8, 0, 0));
  clock->SetActive(true);
  session->Wait(2000);
  ExpectShows("00:00:02", true);
  // A day and a little more later (the wall clock moved on).
  session->SetNow(At(8, 0, 2) + 1.0 + EncodeTime(0, 0, 5, 0));
  session->Wait(1000);
  ExpectShows("00:00:08", true);
}

TEST_F(ClockTest, AnElapsedClockHoldsAtZeroWhenTheWallClockIsSetBack) {
  session->SetNow(At(8, 0, 0));
  clock->SetActive(true);
  session->Wait(5000);
  ExpectShows("00:00:05", true);
  // A daylight-saving change: the wall clock goes back an hour.
  session->SetNow(At(7, 0, 5));
  session->Wait(1000);
  ExpectShows("00:00:00", true);
  EXPECT_EQ(clock->Hours(), 0);
  EXPECT_EQ(clock->Seconds(), 0);
  // Once the wall clock is past the start again, the count goes on.
  session->SetNow(At(8, 0, 9));
  session->Wait(1000);
  ExpectShows("00:00:10", true);
}

TEST_F(ClockTest, ACustomClockNeverStarts) {
  clock->SetClockType(tctCustom);
  clock->SetActive(true);
  EXPECT_FALSE(clock->Active());
  clock->SetHours(23);
  clock->SetMinutes(5);
  session->Wait(3000);
  ExpectShows("23:05:00", true);

  // An active clock switched to custom stops where it was.
  clock->SetClockType(tctRealTime);
  session->SetNow(At(16, 30, 0));
  clock->SetActive(true);
  session->Wait(1000);
  clock->SetClockType(tctCustom);
  EXPECT_FALSE(clock->Active());
  session->Wait(3000);
  ExpectShows("16:30:01", true);
}

TEST_F(ClockTest, ChangeEventsFollowTheTicksAndTheSetters) {
  session->SetNow(At(9, 59, 58));
  clock->SetClockType(tctRealTime);
  EXPECT_TRUE(events.empty()) << "switching the mode zeroes silently";
  clock->SetActive(true);
  session->Wait(1000);
  EXPECT_EQ(events, (std::vector<std::string>{"H9", "M59", "S59"}));
  events.clear();
  session->Wait(1000);
  EXPECT_EQ(events, (std::vector<std::string>{"H10", "M0", "S0"}));
  events.clear();
  session->Wait(1000);
  EXPECT_EQ(events, (std::vector<std::string>{"S1"}));
  events.clear();
  // Hours set by the program are overwritten, with an event each way.
  clock->SetHours(3);
  session->Wait(1000);
  EXPECT_EQ(events, (std::vector<std::string>{"H3", "H10", "S2"}));
  ExpectShows("10:00:02", true);
}

TEST_F(ClockTest, Hours24TakesEffectAtTheNextTick) {
  session->SetNow(At(15, 10, 0));
  clock->SetClockType(tctRealTime);
  clock->SetShowSeconds(false);
  clock->SetActive(true);
  session->Wait(1000);
  ExpectShows("15:10", true);
  clock->SetHours24(false);
  session->Settle();
  ExpectShows("15:10", true);
  session->Wait(1000);
  ExpectShows("03:10", true);
}

TEST_F(ClockTest, OutOfRangeTimesAreTakenAsTheTopOfTheirField) {
  clock->SetClockType(tctCustom);
  clock->SetHours(99);
  clock->SetMinutes(200);
  clock->SetSeconds(60);
  session->Settle();
  EXPECT_EQ(clock->Hours(), 23);
  ExpectShows("23:59:59", true);
}

TEST_F(ClockTest, ThreadedSwitchesTheTimerSourceAndTheTicksGoOn) {
  EXPECT_EQ(clock->Timer()->TimerType(), ttThread);
  session->SetNow(At(12, 0, 0));
  clock->SetClockType(tctRealTime);
  clock->SetActive(true);
  session->Wait(1000);
  clock->SetThreaded(false);
  EXPECT_EQ(clock->Timer()->TimerType(), ttSystem);
  session->Wait(2000);
  ExpectShows("12:00:03", true);
  clock->SetThreaded(true);
  EXPECT_EQ(clock->Timer()->TimerType(), ttThread);
  session->Wait(1000);
  ExpectShows("12:00:04", true);
}

TEST_F(ClockTest, AHandlerMayFreeTheClockOnTheHour) {
  session->SetNow(At(10, 59, 58));
  clock->SetClockType(tctRealTime);
  clock->SetActive(true);
  session->Wait(1000);
  events.clear();
  clock->SetOnHoursChanged([this](TObject*, Word v) {
    Log("H", v);
    FreeAndNil(clock);
  });
  session->Wait(1000);
  // The minutes and seconds changed too; their events went with the clock.
  EXPECT_EQ(events, (std::vector<std::string>{"H11"}));
  EXPECT_EQ(form->FindComponent("Clock"), nullptr);
  session->Wait(3000);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(ClockTest, AtDesignTimeActiveIsKeptButTheClockDoesNotRun) {
  clock->SetDesigning(true);
  session->SetNow(At(6, 30, 0));
  clock->SetClockType(tctRealTime);
  clock->SetActive(true);
  EXPECT_TRUE(clock->Active());
  session->Wait(3000);
  EXPECT_TRUE(events.empty());
  ExpectShows("00:00:00", true);
}

TEST_F(ClockTest, FormFilesKeepTheTimeOfAllButARealTimeClock) {
  clock->SetClockType(tctCustom);
  clock->SetHours(7);
  clock->SetMinutes(30);
  EXPECT_NE(WriteForm(form).find("Hours = 7"), std::string::npos);
  // A real-time clock reads the wall clock when it is read back.
  clock->SetClockType(tctRealTime);
  clock->SetHours(7);
  const std::string text = WriteForm(form);
  EXPECT_EQ(text.find("Hours ="), std::string::npos) << text;
  EXPECT_EQ(text.find("Minutes ="), std::string::npos) << text;
}

TEST(ClockFromAFormTest, ARealTimeClockShowsTheTimeAtOnce) {
  (void)HInstance();
  host::testing::Headless();
  host::SetNow(At(21, 7, 42));
  Session session(std::string(KX_SOURCE_DIR) + "/examples/clock.kxf");
  auto* wall = static_cast<TKxDisplayClock*>(session.Form()->FindComponent("WallClock"));
  ASSERT_NE(wall, nullptr);
  EXPECT_EQ(wall->Hours(), 21);
  EXPECT_EQ(wall->Minutes(), 7);
  EXPECT_EQ(wall->Seconds(), 42);
  EXPECT_EQ(session.Get("WallClock.Hours"), "21");
  host::ResetNow();
}

// A transparent clock over a left-to-right gradient: where no segment is lit
// the gradient shows, also after the clock grew (its background is
// captured again at the new size) and after it moved.
TEST_F(ClockTest, ATransparentClockShowsWhatIsBeneathAfterAResizeAndAMove) {
  auto* panel = new TPanel(form);
  panel->SetBounds(0, 40, 300, 80);
  panel->SetParent(form);
  auto* gradient = new TKxGradient(panel);
  gradient->SetDirection(tgdLeftRight);
  gradient->SetStartColor(clRed);
  gradient->SetEndColor(clBlue);
  gradient->SetBounds(0, 0, 300, 80);
  gradient->SetParent(panel);
  session->Settle();
  const BitmapImage beneath = session->Snapshot();

  clock->SetParent(panel);
  clock->SetBounds(20, 20, 110, 26);
  clock->SetTransparent(true);
  session->SetNow(At(18, 18, 18));
  clock->SetClockType(tctRealTime);
  clock->SetActive(true);
  session->Wait(2000);

  auto expectOverGradient = [&](const char* when) {
    SCOPED_TRACE(when);
    const TPoint origin = form->ScreenToClient(clock->ClientToScreen(Point(0, 0)));
    int lit = 0, wrong = 0;
    for (int y = 0; y < clock->Height(); ++y)
      for (int x = 0; x < clock->Width(); ++x) {
        const uint32_t p = session->Pixel(origin.X + x, origin.Y + y);
        const uint32_t under = beneath.At(origin.X + x, origin.Y + y);
        lit += p == 0xFFFFFF;
        wrong += p != 0xFFFFFF && p != under;
      }
    EXPECT_GT(lit, 20);
    EXPECT_EQ(wrong, 0);
  };
  expectOverGradient("first paints");
  clock->SetStyle(tns13x24);
  session->Wait(1000);
  EXPECT_EQ(clock->Height(), 24);
  expectOverGradient("grown");
  // A change of the clock's own right after the move repaints at once,
  // before the parent has painted beneath the new place.
  clock->SetLeft(150);
  clock->SetBlink(true);
  expectOverGradient("moved, repainted at once");
  session->Wait(1000);
  expectOverGradient("moved");
  clock->SetShowSeconds(false);
  session->Wait(1000);
  expectOverGradient("shrunk");
}

}  // namespace
}  // namespace kx::testing
