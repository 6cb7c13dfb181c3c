// LEDs and lamps in a form file: what is read shows as written, and what is
// written back reads back to the same values and the same picture.
#include <gtest/gtest.h>

#include <string>

#include "host/classes/Streaming.h"
#include "host/testing/Session.h"
#include "kxpack/instruments/KxIndicators.h"
#include "kxpack/instruments/KxTriLeds.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {
namespace {

using namespace host;

constexpr const char* kForm = R"(object F: TForm
  Left = 100
  Top = 100
  Width = 260
  Height = 120
  Color = $00302418
  object Power: TKxSimpleLed
    Left = 8
    Top = 8
    Width = 90
    Height = 20
    AboutKx = 'Component'
    AboutVers = '1.0.0'
    Active = True
    GraphPal.Low = $00004000
    GraphPal.High = clLime
    LedType = tltLargeRect
    Layout = tImageRight
    Margin = 2
    Spacing = -1
    Transparent = True
    Caption = 'Power'
    Font.Charset = 1
    Font.Color = clYellow
    Font.Height = -11
    Font.Name = 'DejaVu Sans'
    Font.Style = []
  end
  object Fault: TKxBorderLed
    Left = 8
    Top = 40
    Width = 30
    Height = 14
    AboutKx = 'Component'
    AboutVers = '1.0.0'
    Bevel.BorderWidth = 2
    Bevel.InnerShadow = $00554A4A
    Bevel.InnerHighlight = $00554A4A
    Bevel.InnerWidth = 1
    Bevel.InnerStyle = kxNone
    Bevel.InnerSpace = 1
    Bevel.InnerColor = $00342E2E
    Bevel.OuterShadow = $00CDB4B4
    Bevel.OuterHighlight = $00342E2E
    Bevel.OuterStyle = kxLowered
    Bevel.OuterOutline = osNone
    GraphPal.Low = $00000060
    GraphPal.High = clRed
    Active = True
    OutlineColor = clWhite
    OutlineWidth = 1
  end
  object Signal: TKxTriLeds
    Left = 110
    Top = 8
    Width = 30
    Height = 70
    AboutKx = 'Component'
    AboutVers = '1.0.0'
    LedState = [tlsGreen, tlsRed]
    Spacing = 3
    Order = tloRedToGreen
    Orientation = tvoVertical
    LedsVisible = [tlsGreen, tlsYellow, tlsRed]
    LedType = tltGlassRounded
  end
end
)";

class LedFormFile : public host::testing::HeadlessTest {};

TEST_F(LedFormFile, ReadsBackToTheSameValuesAndPicture) {
  auto* first = ReadFormAs<TForm>(kForm, "leds.kxf");
  ASSERT_NE(first, nullptr);
  auto* power = As<TKxSimpleLed>(first->FindComponent("Power"));
  auto* fault = As<TKxBorderLed>(first->FindComponent("Fault"));
  auto* signal = As<TKxTriLeds>(first->FindComponent("Signal"));
  ASSERT_TRUE(power && fault && signal);
  EXPECT_TRUE(power->Active());
  EXPECT_EQ(power->Spacing(), -1);
  EXPECT_FALSE(power->ParentFont());
  EXPECT_EQ(fault->Bevel()->BorderWidth(), 2);
  EXPECT_EQ(fault->Bevel()->BorderColor(), 0x554A4A);
  EXPECT_EQ(signal->LedState(), (TKxTriLedsStates{tlsGreen, tlsRed}));
  const std::string written = WriteForm(first);

  BitmapImage firstPicture;
  {
    Session session(first);
    session.Form()->Show();
    firstPicture = session.Snapshot();
  }
  auto* second = ReadFormAs<TForm>(written, "leds-again.kxf");
  ASSERT_NE(second, nullptr) << written;
  EXPECT_EQ(WriteForm(second), written);
  {
    Session session(second);
    session.Form()->Show();
    EXPECT_EQ(session.Snapshot().Pixels, firstPicture.Pixels);
    // The lamps drew something: the lit red lamp's cell is not background.
    EXPECT_NE(session.Pixel(110 + 8 + 6, 8 + 12 + 6), 0x000000u);
  }
  first->Free();
  second->Free();
}

TEST_F(LedFormFile, ACustomStripTravelsWithTheForm) {
  auto* form = new TForm(nullptr);
  form->SetName("F");
  auto* led = new TKxSimpleLed(form);
  led->SetName("Custom");
  led->SetParent(form);
  TBitmap strip;
  strip.SetSize(6, 3);
  strip.Canvas()->Brush()->SetColor(clAqua);
  strip.Canvas()->FillRect(Rect(3, 0, 6, 3));
  led->SetGlyphs(&strip);
  led->SetDrawStyle(tdsCustom);
  const std::string written = WriteForm(form);
  form->Free();

  auto* read = ReadFormAs<TForm>(written, "custom.kxf");
  ASSERT_NE(read, nullptr) << written;
  auto* copy = As<TKxSimpleLed>(read->FindComponent("Custom"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->DrawStyle(), tdsCustom);
  EXPECT_EQ(copy->Glyphs()->Handle()->Pixels, strip.Handle()->Pixels);
  read->Free();
}

}  // namespace
}  // namespace kx::testing
