#pragma once
// A headless form for the LED tests, driven through a session, and what an
// LED should show, built pixel by pixel from the package's strips.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "host/base/Types.h"
#include "host/graphics/BitmapImage.h"
#include "host/testing/Session.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

// The pixels of the package's bitmap Name, as stored.
host::BitmapImage PackageStrip(const std::string& Name);
// Strip with the LED body colours $000080 and $0000FF replaced by Low and
// High, as a palette recolours it.
host::BitmapImage Recoloured(host::BitmapImage Strip, host::TColor Low, host::TColor High);

class ExpectedPicture {
 public:
  ExpectedPicture(int Width, int Height, host::TColor Background);
  // Lays the cell Source of Strip with its top-left corner at (X, Y),
  // leaving out the strip's pixels of colour Key; what falls outside the
  // picture is cut off.
  void Lay(const host::BitmapImage& Strip, const host::TRect& Source, int X, int Y,
           host::TColor Key = host::clBlack);
  // Compares with the pixels of Picture from (Left, Top); the pixels of Skip
  // (picture coordinates) are not compared.
  ::testing::AssertionResult Matches(const host::BitmapImage& Picture, int Left, int Top,
                                     const host::TRect& Skip = {}) const;

 private:
  host::BitmapImage image_;
};

class LedFormTest : public host::testing::HeadlessTest {
 protected:
  static constexpr host::TColor kFormColor = 0x00302418;

  void SetUp() override;
  void TearDown() override;
  // A control of class T named Name on the form at (Left, Top).
  template <class T>
  T* Put(const char* Name, int Left, int Top) {
    auto* control = new T(form);
    control->SetName(Name);
    control->SetLeft(Left);
    control->SetTop(Top);
    control->SetParent(form);
    return control;
  }
  // The session driving the form, started at the first call.
  Session& S();

  host::TForm* form = nullptr;

 private:
  std::unique_ptr<Session> session_;
};

}  // namespace kx::testing
