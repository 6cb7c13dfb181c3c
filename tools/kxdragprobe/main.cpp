// kxdragprobe: shows a borderless window titled "KxDragProbe" and prints, one
// line each on stdout, what happens to it:
//   ready L T W H      shown (client bounds in screen coordinates)
//   down X Y / up X Y  a press or release (client coordinates)
//   bounds L T W H     moved or sized by the user
//   loopstart L T W H  an interactive move or size begins (bounds before it)
//   loopend L T W H    an interactive move or size returned
//   state S L T W H    shown as S (normal, minimized, maximized) after a
//                      right click (maximise or restore) or a middle click
//                      (minimise)
// A left press in the top half starts a move, in the 16-pixel bottom-right
// corner a size; with --snap N a move snaps to the work area's edges within
// N pixels. Ends on a close request, SIGTERM, or after a minute.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/platform/SdlPlatform.h"

using namespace host;

namespace {

constexpr int32_t kCorner = 16;
volatile std::sig_atomic_t gStop = 0;

void PrintRect(const char* what, const TRect& r) {
  std::printf("%s%s%d %d %d %d\n", what, *what ? " " : "", r.Left, r.Top, r.Width(), r.Height());
  std::fflush(stdout);
}

class Probe : public WindowEvents {
 public:
  explicit Probe(PlatformWindow& window) : window_(window) {}

  void Paint() {
    const TRect b = window_.Bounds();
    BitmapImage frame(b.Width(), b.Height(), 0x808080);
    for (int32_t y = 0; y < frame.Height; ++y)
      for (int32_t x = 0; x < frame.Width; ++x) {
        if (y < frame.Height / 2) frame.At(x, y) = 0x203060;
        if (x >= frame.Width - kCorner && y >= frame.Height - kCorner) frame.At(x, y) = 0xC02020;
      }
    const TRect all[] = {{0, 0, frame.Width, frame.Height}};
    window_.Present(frame, all);
  }

  void MouseDown(const MouseEvent& e) override {
    std::printf("down %d %d\n", e.Pos.X, e.Pos.Y);
    std::fflush(stdout);
    if (e.Button != MouseButton::Left) return;
    LeftDown(e);
  }
  void MouseUp(const MouseEvent& e) override {
    std::printf("up %d %d\n", e.Pos.X, e.Pos.Y);
    std::fflush(stdout);
    if (e.Button == MouseButton::Right)
      ChangeState(window_.ShowState() == WindowShowState::Maximized ? WindowShowState::Normal
                                                                    : WindowShowState::Maximized);
    else if (e.Button == MouseButton::Middle)
      ChangeState(WindowShowState::Minimized);
  }
  void BoundsChanged(const TRect& b) override {
    PrintRect("bounds", b);
    Paint();
  }
  void CloseRequest() override { gStop = 1; }

 private:
  void ChangeState(WindowShowState state) {
    window_.SetShowState(state);
    Paint();
    const char* names[] = {"normal", "minimized", "maximized"};
    std::printf("state %s ", names[static_cast<int>(state)]);
    PrintRect("", window_.Bounds());
  }
  void LeftDown(const MouseEvent& e) {
    const TRect b = window_.Bounds();
    MoveSizeKind kind;
    if (e.Pos.X >= b.Width() - kCorner && e.Pos.Y >= b.Height() - kCorner)
      kind = MoveSizeKind::SizeBottomRight;
    else if (e.Pos.Y < b.Height() / 2)
      kind = MoveSizeKind::Move;
    else
      return;
    PrintRect("loopstart", b);
    window_.RunMoveSize(kind);
    PrintRect("loopend", window_.Bounds());
  }

  PlatformWindow& window_;
};

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGTERM, [](int) { gStop = 1; });
  auto platform = SdlPlatform::Create();
  if (!platform) {
    std::fprintf(stderr, "kxdragprobe: no display\n");
    return 2;
  }
  auto window = platform->CreateWindow({"KxDragProbe", Bounds(200, 150, 320, 240), true, true});
  window->SetMinimumSize(64, 48);
  if (argc == 3 && std::strcmp(argv[1], "--snap") == 0) window->SetSnapBuffer(std::atoi(argv[2]));
  Probe probe(*window);
  window->SetEvents(&probe);
  window->Show();
  platform->Pump();
  probe.Paint();
  PrintRect("ready", window->Bounds());
  const int64_t end = platform->NowMs() + 60000;
  while (!gStop && platform->NowMs() < end) {
    platform->Pump();
    platform->Wait(50);
  }
  window->SetEvents(nullptr);
  return 0;
}
