// The application-events component's two stored integers: always written,
// read back as they were, and nothing else done with them.
#include <gtest/gtest.h>

#include <string>

#include "host/classes/Streaming.h"
#include "host/testing/Session.h"
#include "kxpack/chrome/KxApplicationEvents.h"
#include "tests/support/HeadlessFixture.h"

namespace kx {

using namespace host;

namespace {

using kx::testing::Session;

class KxApplicationEventsTest : public host::testing::HeadlessTest {};

TEST_F(KxApplicationEventsTest, WinHeightAndWinWidthRoundTripWithTheForm) {
  TForm* form = MakeForm(100, 100, 300, 200);
  auto* events = new TKxApplicationEvents(form);
  events->SetName("AppEvents");
  const std::string fresh = WriteForm(form);
  EXPECT_NE(fresh.find("WinHeight = 0\n"), std::string::npos) << fresh;
  EXPECT_NE(fresh.find("WinWidth = 0\n"), std::string::npos) << fresh;

  struct Case {
    Integer height, width;
  };
  for (Case c : {Case{480, 640}, Case{-1, 2147483647}, Case{0, -2147483647 - 1}}) {
    events->SetWinHeight(c.height);
    events->SetWinWidth(c.width);
    auto* back = ReadFormAs<TForm>(WriteForm(form), "events.kxf");
    auto* copy = static_cast<TKxApplicationEvents*>(back->FindComponent("AppEvents"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->WinHeight(), c.height);
    EXPECT_EQ(copy->WinWidth(), c.width);
    back->Free();
  }
}

TEST_F(KxApplicationEventsTest, SettingTheValuesResizesNoForm) {
  TForm* form = MakeForm(100, 100, 300, 200);
  auto* events = new TKxApplicationEvents(form);
  events->SetName("AppEvents");
  Session session(form);
  session.Set("AppEvents.WinWidth", "640");
  session.Set("AppEvents.WinHeight", "480");
  EXPECT_EQ(session.Get("AppEvents.WinWidth"), "640");
  EXPECT_EQ(session.Get("AppEvents.WinHeight"), "480");
  EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 300, 200));
  EXPECT_EQ(form->PlatformHandle()->Bounds(), Bounds(100, 100, 300, 200));
}

}  // namespace
}  // namespace kx
