#pragma once
// Tests run on the headless platform: a form, injected input and
// pixel read-back.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host/controls/ControlCanvas.h"
#include "host/controls/Forms.h"
#include "host/graphics/Color.h"
#include "host/platform/HeadlessPlatform.h"

namespace host {
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}
}  // namespace host

namespace host::testing {

// Makes the headless platform current once per test program.
HeadlessPlatform& Headless();

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No press of an earlier test may pair with this test's first one.
    Headless().AdvanceClock(HeadlessPlatform::kDoubleClickMs + 1);
  }
  void TearDown() override {
    for (TCustomForm* f : forms_) f->Free();
    Application->ProcessMessages();
  }
  // A shown form at (left, top) of the screen, freed after the test.
  TForm* MakeForm(int left = 100, int top = 100, int width = 200, int height = 150);
  // Handles what is queued: injected input, posted messages, paints.
  void Pump() { Application->ProcessMessages(); }
  // The form's pixel at a client point as $00BBGGRR.
  static TColor PixelAt(const TCustomForm* form, int x, int y);

 private:
  std::vector<TCustomForm*> forms_;
};

// A windowless control that fills itself with one colour and notes each
// paint in a shared log.
class LoggingGraphic : public TGraphicControl {
  HOST_CLASS(LoggingGraphic, TGraphicControl)
 public:
  LoggingGraphic(TWinControl* parent, std::vector<std::string>* log, std::string name, TColor fill,
                 TRect bounds);
  TColor Fill;
  TRect FillPart;  // what Paint fills, in client coordinates (whole client by default)

 protected:
  void Paint() override;

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

// A windowed control whose left press runs a WM_SYSCOMMAND on its form,
// as the skinned panels and the size grip do.
class SysCommandArea : public TCustomControl {
 public:
  SysCommandArea(TWinControl* parent, WPARAM command) : TCustomControl(parent), command_(command) {
    SetParent(parent);
  }
  int downs = 0;
  int ups = 0;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override {
    ++downs;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    ReleaseCapture();
    if (TCustomForm* form = GetParentForm(this)) form->Perform(WM_SYSCOMMAND, command_, 0);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override {
    ++ups;
    TCustomControl::MouseUp(Button, Shift, X, Y);
  }

 private:
  WPARAM command_;
};

}  // namespace host::testing
