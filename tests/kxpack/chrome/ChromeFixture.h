#pragma once
// A borderless form dressed as the package's chrome, read from a form file
// (so that Loaded runs as in an application) and driven by a session: a
// menu bar with a title and window buttons, and a language button.
#include <memory>
#include <string>
#include <vector>

#include "host/classes/Streaming.h"
#include "host/testing/Session.h"
#include "kxpack/chrome/KxBarreMenu.h"
#include "kxpack/chrome/KxBtExit.h"
#include "kxpack/chrome/KxBtLanguage.h"
#include "kxpack/chrome/KxBtMenu.h"
#include "kxpack/chrome/KxPanelTitle.h"
#include "tests/support/HeadlessFixture.h"

namespace kx::testing {

class ChromeTest : public host::testing::HeadlessTest {
 protected:
  // The form at (100, 80) of the screen, 300 x 120, with the menu bar across
  // its top: the title at x 20, the buttons at x 220, 240, 260 and the close
  // button at x 280, all 3 pixels down; the language button at (20, 40).
  static constexpr const char* kFormText =
      "object F: TForm\n"
      "  Left = 100\n"
      "  Top = 80\n"
      "  Width = 300\n"
      "  Height = 120\n"
      "  BorderStyle = bsNone\n"
      "  Color = clWhite\n"
      "  object Bar: TKxBarreMenu\n"
      "    Active = True\n"
      "    object Title: TKxPanelTitle\n"
      "      Left = 20\n"
      "      Top = -1\n"
      "      Width = 185\n"
      "      Height = 15\n"
      "      Active = True\n"
      "      LockedToTop = True\n"
      "    end\n"
      "    object BtNone: TKxBtMenu\n"
      "      Left = 220\n"
      "      Top = 3\n"
      "      KindBt = tkbNone\n"
      "    end\n"
      "    object BtMin: TKxBtMenu\n"
      "      Left = 240\n"
      "      Top = 3\n"
      "      KindBt = tkbMinimized\n"
      "    end\n"
      "    object BtMag: TKxBtMenu\n"
      "      Left = 260\n"
      "      Top = 3\n"
      "      KindBt = tkbMagnetic\n"
      "    end\n"
      "    object BtExit: TKxBtExit\n"
      "      Left = 280\n"
      "      Top = 3\n"
      "      ModalResult = 2\n"
      "    end\n"
      "  end\n"
      "  object Lang: TKxBtLanguage\n"
      "    Left = 20\n"
      "    Top = 40\n"
      "    Language = ttlgUs\n"
      "    ModalResult = 6\n"
      "  end\n"
      "end\n";

  void SetUp() override {
    HeadlessTest::SetUp();
    form = static_cast<host::TForm*>(host::ReadForm(kFormText, "chrome.kxf"));
    session = std::make_unique<Session>(form);
    bar = Find<TKxBarreMenu>("Bar");
    title = Find<TKxPanelTitle>("Title");
    btNone = Find<TKxBtMenu>("BtNone");
    btMin = Find<TKxBtMenu>("BtMin");
    btMag = Find<TKxBtMenu>("BtMag");
    btExit = Find<TKxBtExit>("BtExit");
    lang = Find<TKxBtLanguage>("Lang");
  }
  void TearDown() override {
    session.reset();
    if (form) form->Free();
    HeadlessTest::TearDown();
  }
  template <class T>
  T* Find(const char* name) const {
    return host::As<T>(form->FindComponent(name));
  }
  // The form's pixel at a client point, as $00BBGGRR (a point outside the
  // form fails the test).
  host::TColor PixelAt(int32_t x, int32_t y) const {
    const host::BitmapImage& frame = form->Framebuffer();
    if (x >= 0 && y >= 0 && x < frame.Width && y < frame.Height)
      return HeadlessTest::PixelAt(form, x, y);
    ADD_FAILURE() << "(" << x << ", " << y << ") lies outside the form";
    return host::clNone;
  }
  // Where a control's client point lies on the form.
  host::TPoint OnForm(host::TControl* c, int32_t x, int32_t y) const {
    return form->ScreenToClient(c->ClientToScreen(host::Point(x, y)));
  }
  // Whether the control shows, from its top-left corner, the cell of a
  // two-cell strip of the package's resource name.
  ::testing::AssertionResult ShowsCell(host::TControl* c, const char* name, int32_t cellWidth,
                                       int32_t cell) const;

  host::TForm* form = nullptr;
  std::unique_ptr<Session> session;
  TKxBarreMenu* bar = nullptr;
  TKxPanelTitle* title = nullptr;
  TKxBtMenu* btNone = nullptr;
  TKxBtMenu* btMin = nullptr;
  TKxBtMenu* btMag = nullptr;
  TKxBtExit* btExit = nullptr;
  TKxBtLanguage* lang = nullptr;
};

}  // namespace kx::testing
