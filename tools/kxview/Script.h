#pragma once
// kxview's scripts: one command a line, run against a session.
//
//   move X Y                     press X Y [left|right|middle] [shift] [ctrl] [alt]
//   release X Y [button]         click X Y [button]        dblclick X Y
//   drag X1 Y1 X2 Y2             key NAME [shift] [ctrl] [alt]     type TEXT
//   wait MS                      now YYYY-MM-DD HH:MM:SS[.mmm]
//   set C.PROP = VALUE           print C.PROP              call C.METHOD
//   png OUT.png                  expect C.PROP = VALUE     expect-pixel X Y RRGGBB
//
// Coordinates are client coordinates of the form; "Form" names the root;
// values are written as in form files, and expect compares with the value
// as print writes it (clRed, not $000000FF). A line starting with # is a comment;
// blank lines are skipped.
#include <istream>
#include <ostream>
#include <string>

#include "host/testing/Session.h"

namespace kxview {

// Runs the script read from in (named scriptName in messages). print writes
// to out; with reportModalResult, so does a modal result handed to the form
// ("Form.ModalResult = 1", after which the form takes the next one). Returns
// 0, or 1 after writing "SCRIPT:LINE: message" to err for the first line
// that could not be run or whose expectation failed.
int RunScript(kx::testing::Session& session, std::istream& in, const std::string& scriptName,
              std::ostream& out, std::ostream& err, bool reportModalResult);

}  // namespace kxview
