// kxview FORM.kxf                  opens the form in a window until it is closed
// kxview FORM.kxf --png OUT.png    renders the shown form headless to a PNG
// kxview FORM.kxf --check          loads the form without showing it
// kxview FORM.kxf --save OUT.kxf   loads the form and writes it back
// kxview FORM.kxf --script SCRIPT [--png OUT.png]
//                                  drives the shown form headless with the
//                                  script's commands (tools/kxview/Script.h;
//                                  "-" reads standard input), then writes the
//                                  PNG when asked
// --events (with any mode) binds the handlers the file names to stubs that
// print each call on stdout; without it they are left unbound, with one
// warning per name on stderr.
// A root class kxview does not know (an application's TForm1) is read as a
// TForm, with one warning on stderr; --save writes it back under its name.
//
// Exit status: 0 done; 1 the form file or an output could not be handled
// (the reason on stderr, "FILE:LINE: message" for errors in the file or the
// script, or an expectation of the script that failed); 2 a
// wrong command line, or a window asked for where there is no display.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "host/base/SysUtils.h"
#include "host/controls/Forms.h"
#include "host/testing/Session.h"
#include "tools/kxview/Events.h"
#include "tools/kxview/FormFile.h"
#include "tools/kxview/Script.h"
#include "tools/kxview/Snapshot.h"

namespace {

enum class Mode { Window, Png, Check, Save, Script };

struct Options {
  Mode mode = Mode::Window;
  std::string form;
  std::string output;  // for Png and Save; for Script the PNG written after it, if any
  std::string script;  // "-" for standard input
  bool events = false;
};

constexpr const char* kUsage =
    "usage: kxview FORM.kxf [--png OUT.png | --check | --save OUT.kxf |\n"
    "                        --script SCRIPT [--png OUT.png]] [--events]\n";

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  bool modeGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto setMode = [&](Mode mode, bool takesOutput) {
      if (modeGiven || (takesOutput && i + 1 >= argc)) return false;
      modeGiven = true;
      options.mode = mode;
      if (takesOutput) options.output = argv[++i];
      return true;
    };
    bool ok;
    if (arg == "--events") {
      ok = !options.events;
      options.events = true;
    } else if (arg == "--script") {
      // Combines with --png: the picture is taken after the script.
      ok = options.script.empty() && i + 1 < argc;
      if (ok) options.script = argv[++i];
    } else if (arg == "--png")
      ok = setMode(Mode::Png, true);
    else if (arg == "--save")
      ok = setMode(Mode::Save, true);
    else if (arg == "--check")
      ok = setMode(Mode::Check, false);
    else
      ok = arg.rfind("--", 0) != 0 && options.form.empty() && (options.form = arg, true);
    if (!ok) return std::nullopt;
  }
  if (options.form.empty()) return std::nullopt;
  if (!options.script.empty()) {
    if (modeGiven && options.mode != Mode::Png) return std::nullopt;
    options.mode = Mode::Script;
  }
  return options;
}

// Opens the form in a real window and handles messages until it is closed.
int RunWindow(host::TCustomForm* form) {
  if (host::Platform::Current().Name() == "headless") {
    std::fprintf(stderr,
                 "kxview: no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY "
                 "leads to one); render the form to a file instead with --png OUT.png\n");
    return 2;
  }
  host::Application->SetMainForm(form);
  host::Application->Run();
  return 0;
}

// Runs the script on the shown form, then writes the PNG if one is asked for.
int RunScript(host::TCustomForm* form, const Options& options) {
  std::ifstream file;
  if (options.script != "-") {
    file.open(options.script, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "%s:1: cannot read the script\n", options.script.c_str());
      return 1;
    }
  }
  std::istream& in = options.script == "-" ? std::cin : file;
  kx::testing::Session session(form);
  const int status =
      kxview::RunScript(session, in, options.script, std::cout, std::cerr, options.events);
  if (status == 0 && !options.output.empty()) session.SavePng(options.output);
  return status;
}

int Run(const Options& options) {
  // Only the window mode needs a display; the others never open one.
  if (options.mode != Mode::Window) setenv("KX_PLATFORM", "headless", 1);
  // A script's time is virtual from the start, also for the form's timers.
  if (options.mode == Mode::Script) kx::testing::Session::UseVirtualTime();
  const kxview::LoadedForm loaded =
      kxview::LoadForm(options.form,
                       options.events ? kxview::PrintHandlerCalls(std::cout, std::cerr)
                                      : kxview::WarnUnboundHandlers(std::cerr),
                       std::cerr);
  host::TCustomForm* form = loaded.Form;
  int status = 0;
  try {
    switch (options.mode) {
      case Mode::Window:
        status = RunWindow(form);
        break;
      case Mode::Png:
        kxview::WriteSnapshot(form, options.output);
        break;
      case Mode::Check:
        break;
      case Mode::Save:
        kxview::SaveForm(loaded, options.output);
        break;
      case Mode::Script:
        status = RunScript(form, options);
        break;
    }
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // Whatever a file holds ends here as a message, never as a crash.
  try {
    return Run(*options);
  } catch (const host::EReadError& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kxview: %s: %s\n", options->form.c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "kxview: %s: unknown failure\n", options->form.c_str());
  }
  return 1;
}
