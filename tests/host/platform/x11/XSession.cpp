#include "XSession.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kxtest {

namespace {

constexpr const char* kOpenboxConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <resistance><strength>0</strength><screen_edge_strength>0</screen_edge_strength></resistance>
  <focus><focusNew>yes</focusNew></focus>
</openbox_config>
)";

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Reads a line from fd within timeout; "" when nothing came.
std::string ReadLineWithin(int fd, Ms timeout) {
  std::string line;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  return "";
}

// Maps a window of its own and waits until the window manager frames it (a
// ReparentNotify): a manager that has announced itself on the root may not
// be handling map requests yet, and a window it has not framed stays unmapped.
bool WindowManagerFramesWindows(Ms timeout) {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;
  const Window window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 16, 16, 0, 0, 0);
  XSelectInput(dpy, window, StructureNotifyMask);
  XMapWindow(dpy, window);
  XFlush(dpy);
  bool framed = false;
  XEvent event;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!framed && std::chrono::steady_clock::now() < end) {
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, 100);
    while (XCheckTypedWindowEvent(dpy, window, ReparentNotify, &event)) framed = true;
  }
  XDestroyWindow(dpy, window);
  XCloseDisplay(dpy);
  return framed;
}

}  // namespace

// ---------------------------------------------------------------------------
// ChildProcess

ChildProcess::ChildProcess(const std::vector<std::string>& argv, bool captureOutput, int keepFd) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  int out[2] = {-1, -1};
  if (captureOutput && pipe2(out, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    // Only async-signal-safe calls until exec. The child goes with this
    // process even when it is killed (a test run cut short).
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, 0);
    dup2(captureOutput ? out[1] : devNull, 1);
    if (!captureOutput) dup2(devNull, 2);  // servers are chatty; the probe's errors show
    if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (captureOutput) {
    close(out[1]);
    if (pid_ > 0)
      reader_ = std::thread([this, fd = out[0]] { ReadOutput(fd); });
    else
      close(out[0]);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(-pid_, SIGTERM);
    int status = 0;
    bool gone = false;
    for (int i = 0; i < 40 && !gone; ++i) {
      gone = waitpid(pid_, &status, WNOHANG) == pid_;
      if (!gone) std::this_thread::sleep_for(Ms(50));
    }
    if (!gone) {
      kill(-pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
  }
  if (reader_.joinable()) reader_.join();
}

void ChildProcess::ReadOutput(int fd) {
  std::string line;
  char buffer[256];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) {
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] != '\n') {
        line += buffer[i];
        continue;
      }
      std::lock_guard lock(mutex_);
      lines_.push_back(std::move(line));
      line.clear();
      changed_.notify_all();
    }
  }
  close(fd);
}

std::optional<std::string> ChildProcess::WaitLine(const std::string& prefix, size_t from,
                                                  Ms timeout, size_t* index) {
  std::unique_lock lock(mutex_);
  std::optional<std::string> found;
  changed_.wait_for(lock, timeout, [&] {
    for (size_t i = from; i < lines_.size(); ++i)
      if (lines_[i].starts_with(prefix)) {
        found = lines_[i];
        if (index) *index = i;
        return true;
      }
    return false;
  });
  return found;
}

size_t ChildProcess::LineCount() {
  std::lock_guard lock(mutex_);
  return lines_.size();
}

std::optional<int> ChildProcess::WaitExit(Ms timeout) {
  if (pid_ <= 0) return std::nullopt;
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (waitpid(pid_, &status, WNOHANG) != pid_) {
    if (std::chrono::steady_clock::now() > end) return std::nullopt;
    std::this_thread::sleep_for(Ms(20));
  }
  pid_ = -1;  // reaped: nothing left for the destructor to stop
  if (!WIFEXITED(status)) return std::nullopt;
  return WEXITSTATUS(status);
}

std::string ChildProcess::AllOutput() {
  std::lock_guard lock(mutex_);
  std::string all;
  for (const auto& l : lines_) all += l + "\n";
  return all;
}

// ---------------------------------------------------------------------------
// XSession

XSession::XSession(bool windowManager) {
  for (const char* tool : {"Xvfb", "xdotool", "xwininfo", "xprop", "timeout"})
    if (!HaveProgram(tool)) {
      error_ = std::string(tool) + " is not installed (./kx setup installs it)";
      return;
    }
  if (windowManager && !HaveProgram("openbox")) {
    error_ = "openbox is not installed (./kx setup installs it)";
    return;
  }
  if (!StartServer()) return;
  if (windowManager) StartWindowManager();
}

XSession::~XSession() {
  windowManager_.reset();
  server_.reset();
  if (hadDisplay_)
    setenv("DISPLAY", oldDisplay_.c_str(), 1);
  else
    unsetenv("DISPLAY");
  if (!configDir_.empty()) std::filesystem::remove_all(configDir_);
}

bool XSession::StartServer() {
  if (const char* d = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    oldDisplay_ = d;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error_ = "cannot make a pipe for Xvfb";
    return false;
  }
  // Xvfb picks a free display and writes its number when it is ready.
  server_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                               "1280x800x24", "-nolisten", "tcp", "-noreset"},
      false, fds[1]);
  close(fds[1]);
  const std::string display = ReadLineWithin(fds[0], Ms(10000));
  close(fds[0]);
  if (!server_->Started() || display.empty()) {
    error_ = "Xvfb could not start a server";
    return false;
  }
  setenv("DISPLAY", (":" + display).c_str(), 1);
  return true;
}

bool XSession::StartWindowManager() {
  char dir[] = "/tmp/kx-openbox-XXXXXX";
  if (!mkdtemp(dir)) {
    error_ = "cannot make a directory for openbox's configuration";
    return false;
  }
  configDir_ = dir;
  const std::string rc = configDir_ + "/rc.xml";
  std::ofstream(rc) << kOpenboxConfig;
  windowManager_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"openbox", "--config-file", rc}, false);
  if (WindowManagerFramesWindows(Ms(60000))) return true;
  error_ = "openbox did not start";
  return false;
}

std::optional<std::string> XSession::Run(const std::string& command) {
  FILE* pipe = popen(("timeout 15 " + command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  if (pclose(pipe) != 0) return std::nullopt;
  return output;
}

unsigned long XSession::FindWindow(const std::string& title) {
  // xdotool's search fails at once when any window goes while it walks the
  // tree (a window manager's frame, say): it is asked again until it answers.
  const auto end = std::chrono::steady_clock::now() + Ms(30000);
  do {
    const auto out = Run("xdotool search --sync --onlyvisible --name '^" + title + "$'");
    if (out) return std::strtoul(out->c_str(), nullptr, 10);
    std::this_thread::sleep_for(Ms(100));
  } while (std::chrono::steady_clock::now() < end);
  return 0;
}

host::TRect XSession::Geometry(unsigned long window) {
  const auto out = Run("xwininfo -id " + std::to_string(window));
  int x = 0, y = 0, w = 0, h = 0;
  std::istringstream lines(out.value_or(""));
  std::string line;
  while (std::getline(lines, line)) {
    std::sscanf(line.c_str(), " Absolute upper-left X: %d", &x);
    std::sscanf(line.c_str(), " Absolute upper-left Y: %d", &y);
    std::sscanf(line.c_str(), " Width: %d", &w);
    std::sscanf(line.c_str(), " Height: %d", &h);
  }
  return host::Bounds(x, y, w, h);
}

bool XSession::Viewable(unsigned long window) {
  const auto out = Run("xwininfo -id " + std::to_string(window));
  return out && out->find("Map State: IsViewable") != std::string::npos;
}

host::TRect XSession::AwaitGeometry(unsigned long window, const host::TRect& expected) {
  host::TRect seen = Geometry(window);
  const auto end = std::chrono::steady_clock::now() + Ms(5000);
  while (seen != expected && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(Ms(50));
    seen = Geometry(window);
  }
  return seen;
}

}  // namespace kxtest
