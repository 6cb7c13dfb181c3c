#pragma once
// A throw-away X session for end-to-end tests: an Xvfb server on a free
// display, optionally the openbox window manager, child programs whose
// output lines can be awaited, and the shell tools (xdotool, xwininfo) run
// against that display. Everything started here is stopped by its owner.
#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/base/Types.h"

namespace kxtest {

using Ms = std::chrono::milliseconds;

// A child process in its own process group; stopped (SIGTERM, then SIGKILL)
// when destroyed. With captureOutput its stdout lines are collected.
class ChildProcess {
 public:
  // Starts argv; keepFd stays open in the child (for Xvfb's -displayfd).
  ChildProcess(const std::vector<std::string>& argv, bool captureOutput, int keepFd = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // The first output line from index `from` on that starts with prefix;
  // nullopt after timeout. index receives its position.
  std::optional<std::string> WaitLine(const std::string& prefix, size_t from, Ms timeout,
                                      size_t* index = nullptr);
  size_t LineCount();
  std::string AllOutput();
  // The exit status once the process has ended by itself, nullopt when it
  // still runs after timeout (or was killed by a signal).
  std::optional<int> WaitExit(Ms timeout);

 private:
  void ReadOutput(int fd);

  pid_t pid_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
};

class XSession {
 public:
  // Starts Xvfb (1280 × 800) and, with windowManager, openbox; sets DISPLAY
  // for this process and its children. Error() says why it could not.
  explicit XSession(bool windowManager);
  ~XSession();

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  // Runs a shell command against the display (with a time limit); returns
  // its stdout, nullopt when it failed.
  static std::optional<std::string> Run(const std::string& command);
  // The id of the visible window with this exact title, 0 if none shows
  // within half a minute.
  static unsigned long FindWindow(const std::string& title);
  // Client area of a window in screen coordinates, from xwininfo.
  static host::TRect Geometry(unsigned long window);
  // The window is mapped and all its ancestors are (xwininfo's IsViewable).
  static bool Viewable(unsigned long window);
  // Waits until the window's geometry is expected; the last geometry seen.
  static host::TRect AwaitGeometry(unsigned long window, const host::TRect& expected);

 private:
  bool StartServer();
  bool StartWindowManager();

  std::string error_;
  std::string oldDisplay_;
  bool hadDisplay_ = false;
  std::string configDir_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> windowManager_;
};

}  // namespace kxtest
