#pragma once
// A shown headless form driven through a session, holding one LED row
// (scan bar or level bar), and the LEDs read back as a user sees them.
#include <memory>
#include <string>

#include "host/controls/Forms.h"
#include "host/testing/Session.h"
#include "kxpack/instruments/KxProgress.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

class LedRowTest : public host::testing::HeadlessTest {
 protected:
  static constexpr TColor kBackground = 0x00402010;
  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;

  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm(100, 100, 200, 60);
  }
  void TearDown() override {
    session.reset();
    HeadlessTest::TearDown();
  }

  // Puts row (owned by form) at (kLeft, kTop) on a background of its
  // own colour and starts the session on the shown form.
  void Show(TKxProgress* row, const char* name);
  // LED Index's rectangle in form coordinates.
  TRect LedRect(int Index) const;
  // The form's pixel at a point of the row, as a pixel word.
  uint32_t RowPixel(int x, int y) const;
  // One character per LED: 'x' where the pixel just inside its outer ring
  // (the fill colour of the default raised gradient look) is Lit, '.' where it
  // is Unlit, '?' otherwise. Colours by index, as $00BBGGRR.
  template <class LitOf, class UnlitOf>
  std::string Pattern(LitOf Lit, UnlitOf Unlit) const {
    std::string pattern;
    for (int i = 0; i < row->Items()->GetCount(); ++i) {
      const TRect r = LedRect(i);
      const uint32_t got = session->Pixel(r.Left + 1, r.Top + 1);
      pattern += got == host::ColorToPixel(Lit(i))     ? 'x'
                 : got == host::ColorToPixel(Unlit(i)) ? '.'
                                                       : '?';
    }
    return pattern;
  }

  host::TForm* form = nullptr;
  TKxProgress* row = nullptr;
  std::unique_ptr<Session> session;
};

}  // namespace kx::testing
