// Application.Run until the main form closes. A program of its own: once
// terminated, an application stays terminated.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "host/threads/UtilityWindow.h"

namespace host {
namespace {

TEST(ApplicationRunTest, RunShowsTheMainFormAndEndsWhenItCloses) {
  Platform::SetCurrent(std::make_unique<HeadlessPlatform>());
  TForm* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  bool shown = false, closed = false;
  main->SetOnShow([&](TObject*) { shown = true; });
  main->SetOnClose([&](TObject*, TCloseAction&) { closed = true; });
  // Something the loop will handle once it runs: the user closes the form.
  HWND poster = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_USER) main->Close();
  });
  PostMessage(poster, WM_USER);
  Application->Run();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(main->Visible());
  DeallocateHWnd(poster);
  main->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
}  // namespace host
