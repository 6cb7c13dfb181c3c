#pragma once
// A form driven headless from the outside, for application tests and
// kxview's scripts: mouse and keys through the platform's input path (so
// captures, move loops and size loops run as on screen), time that passes
// only when asked (timers and the timed waits of worker threads follow it),
// a settable wall clock, published properties read and set as form files
// write them, and the pixels the form shows.
//
// After every command the message loop runs until it is idle and every
// worker thread that the command released (an event set, a time-out passed)
// is waiting again, so what the command caused has happened before the next
// one. A worker waiting in Synchronize counts as waiting: its call runs, and
// a call it queues after the loop went idle waits for the next command (a
// worker that calls back to back gets a call or more per command). One exception: mouse input given
// while a button is held is delivered with the release (or with the next command that is not mouse
// input), so that a form move or size started by the press follows the moves that come before the
// release; their coordinates count from where the form was when the button was pressed (fixed
// screen positions, in effect).
//
// The session makes the platform's clock a manual one and leaves it so.
// Failures of a command (an unknown component, a value of the wrong kind, a
// file that cannot be written) are raised as SessionError or EReadError
// with a message that names no file or line: the caller knows those.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/base/Types.h"
#include "host/classes/Streaming.h"
#include "host/controls/Forms.h"
#include "host/graphics/BitmapImage.h"
#include "host/platform/HeadlessPlatform.h"

namespace kx::testing {

class SessionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Modifier keys held for a press or a key.
struct Modifiers {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

class Session {
 public:
  // Drives form, which the caller keeps and frees after the session.
  explicit Session(host::TCustomForm* form);
  // Reads the form file at path (EReadError "FILE:LINE: …") into a form the
  // session owns. The form's classes must be registered (link the package);
  // options say what becomes of handlers the root class does not publish
  // (by default the file is refused).
  explicit Session(const std::string& formFile, const host::TReadOptions& options = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  host::TCustomForm* Form() const { return form_; }

  // Makes the headless platform current with its clock manual. A caller
  // that reads the form itself does this first, so the timers and workers
  // the form starts count in virtual time from the start.
  static void UseVirtualTime();

  // Mouse, at client coordinates of the form.
  void Move(int32_t x, int32_t y);
  void Press(int32_t x, int32_t y, host::MouseButton button = host::MouseButton::Left,
             Modifiers modifiers = {});
  void Release(int32_t x, int32_t y, host::MouseButton button = host::MouseButton::Left);
  void Click(int32_t x, int32_t y, host::MouseButton button = host::MouseButton::Left);
  void DblClick(int32_t x, int32_t y);
  // Left press at the first point, moves in steps, release at the second.
  void Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  // A key by its virtual-key code, pressed and released.
  void Key(uint16_t key, Modifiers modifiers = {});
  // Each character of text (UTF-8) typed.
  void Type(std::string_view text);

  // Lets ms milliseconds pass on the platform's clock, stopping at every
  // timer and timed wait that falls due on the way.
  void Wait(int64_t ms);
  // Sets the wall clock Now reports; it advances with Wait.
  void SetNow(host::TDateTime now);

  // "Component.Property" ("Form" names the root): the value as a form file
  // writes it, and setting it from form-file text.
  std::string Get(std::string_view path);
  void Set(std::string_view path, std::string_view value);
  // "Component.Method" for a parameterless method the class offers to scripts.
  void Call(std::string_view path);

  // What the form shows: one pixel as 0xRRGGBB, the whole picture, a PNG.
  uint32_t Pixel(int32_t x, int32_t y);
  host::BitmapImage Snapshot();
  void SavePng(const std::string& path);

  // Runs the loop until it is idle and the workers have settled.
  void Settle();

 private:
  host::HeadlessWindow& Window() const;
  void MoveTo(int32_t x, int32_t y);
  void InjectModifiers(Modifiers modifiers, bool down);
  void AfterInput();
  host::TComponent* ComponentOf(std::string_view path, std::string_view& rest) const;

  host::HeadlessPlatform& platform_;
  host::TCustomForm* form_;
  bool owned_;
  int buttonsHeld_ = 0;
};

}  // namespace kx::testing
