// kxview run as a program: its four modes, its exit statuses and messages.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/base/FileContents.h"
#include "host/graphics/PngCodec.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) { return host::ReadFileContents(path.string()); }

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

struct Result {
  int status = -1;
  std::string err;
  std::string out;
};

class KxviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kxview-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Temp(const std::string& name) const { return dir_ / name; }

  // Runs kxview with args (each quoted); envPrefix goes before it, e.g.
  // "env -u DISPLAY".
  Result Run(const std::vector<std::string>& args, const std::string& envPrefix = "") const {
    std::string command = envPrefix + " '" KXVIEW_PATH "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    const fs::path err = Temp("stderr.txt"), out = Temp("stdout.txt");
    command += " 2>'" + err.string() + "' >'" + out.string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(err), ReadFile(out)};
  }

  fs::path dir_;
};

std::vector<fs::path> Examples() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "examples"))
    if (entry.path().extension() == ".kxf") files.push_back(entry.path());
  return files;
}

constexpr const char* kSmallForm = R"(object Small: TForm
  Left = 0
  Top = 0
  Width = 173
  Height = 61
  ClientHeight = 61
  ClientWidth = 173
  Color = $00302010
  object Lamp: TPanel
    Left = 8
    Top = 8
    Width = 40
    Height = 20
    BevelOuter = bvNone
    Color = clRed
  end
end
)";

TEST_F(KxviewTest, EveryExampleChecksAndSavesToTheSameText) {
  const std::vector<fs::path> examples = Examples();
  ASSERT_FALSE(examples.empty());
  for (const fs::path& example : examples) {
    SCOPED_TRACE(example.string());
    // With --events: the examples name handlers only an application binds.
    const Result check = Run({example.string(), "--check", "--events"});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.err, "");
    // The examples are kept in the form the writer gives them, so a save is
    // a byte-for-byte round trip.
    const fs::path saved = Temp("saved.kxf");
    EXPECT_EQ(Run({example.string(), "--save", saved.string()}).status, 0);
    EXPECT_EQ(ReadFile(saved), ReadFile(example));
  }
}

TEST_F(KxviewTest, SaveOfASavedFormGivesTheSameText) {
  WriteFile(Temp("small.kxf"), kSmallForm);
  ASSERT_EQ(Run({Temp("small.kxf").string(), "--save", Temp("a.kxf").string()}).status, 0);
  ASSERT_EQ(Run({Temp("a.kxf").string(), "--save", Temp("b.kxf").string()}).status, 0);
  EXPECT_NE(ReadFile(Temp("a.kxf")), "");
  EXPECT_EQ(ReadFile(Temp("a.kxf")), ReadFile(Temp("b.kxf")));
}

TEST_F(KxviewTest, BrokenFilesNameFileAndLineAndExitOne) {
  struct Case {
    const char* what;
    std::string text;
    int line;
  };
  const Case cases[] = {
      {"bad value", "object F: TForm\n  Left = 0\n  Width = wide\nend\n", 3},
      {"unknown class", "object F: TForm\n  object X: TNoSuchThing\n  end\nend\n", 2},
      {"unknown property", "object F: TForm\n  Left = 0\n\n  Wibble = 1\nend\n", 4},
      {"missing end", "object F: TForm\n  Left = 0\n", 3},
      {"root not a form", "object P: TPanel\n  Left = 0\nend\n", 1},
      {"empty file", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = Temp("broken.kxf");
    WriteFile(file, c.text);
    const fs::path saved = Temp("never.kxf");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{file.string(), "--check"},
          std::vector<std::string>{file.string(), "--save", saved.string()}}) {
      const Result r = Run(args);
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.err.rfind(file.string() + ":" + std::to_string(c.line) + ": ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(fs::exists(saved));
  }
}

TEST_F(KxviewTest, AControlTooLargeForABitmapFailsAtItsLineBeforeAllocating) {
  // 50000 × 50000 pixels would be 10 GB; the host refuses it up front.
  const fs::path file = Temp("huge.kxf");
  WriteFile(file,
            "object F: TForm\n  object G: TKxGradient\n    Width = 50000\n    Height = 50000\n"
            "  end\nend\n");
  const Result r = Run({file.string(), "--check"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind(file.string() + ":4: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("50000 x 50000 bitmap"), std::string::npos) << r.err;
  // The largest child this test program has waited for stayed far below it.
  rusage children{};
  ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &children), 0);
  EXPECT_LT(children.ru_maxrss, 1024 * 1024) << "kB";
}

TEST_F(KxviewTest, MissingFileIsReportedNotCrashedOn) {
  const Result r = Run({Temp("absent.kxf").string(), "--check"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(Temp("absent.kxf").string()), std::string::npos) << r.err;
}

TEST_F(KxviewTest, PngIsTheFormsWindowAtItsSize) {
  WriteFile(Temp("small.kxf"), kSmallForm);
  const fs::path png = Temp("small.png");
  const Result r = Run({Temp("small.kxf").string(), "--png", png.string()}, "env DISPLAY=");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = ReadFile(png);
  const host::BitmapImage image =
      host::DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  EXPECT_EQ(image.Width, 173);
  EXPECT_EQ(image.Height, 61);
  // The form's colour $00302010 (BGR) outside the display, as 0x00RRGGBB.
  EXPECT_EQ(image.Pixels[image.Width * 50 + 160], 0x102030u);
  // The child panel painted in its place.
  EXPECT_EQ(image.Pixels[image.Width * 8 + 8], 0xFF0000u);
  EXPECT_EQ(image.Pixels[image.Width * 27 + 47], 0xFF0000u);
  EXPECT_EQ(image.Pixels[image.Width * 28 + 48], 0x102030u);
}

TEST_F(KxviewTest, WindowWithoutDisplayExitsTwoPointingAtPng) {
  WriteFile(Temp("small.kxf"), kSmallForm);
  const Result r =
      Run({Temp("small.kxf").string()}, "env -u DISPLAY -u WAYLAND_DISPLAY -u KX_PLATFORM");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--png"), std::string::npos) << r.err;
}

TEST_F(KxviewTest, WrongCommandLinesShowUsageAndExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"a.kxf", "--png"},
      {"a.kxf", "--check", "--save", "b.kxf"},
      {"a.kxf", "--frobnicate"},
      {"a.kxf", "--script"},
      {"a.kxf", "--script", "s.txt", "--check"},
      {"a.kxf", "--save", "b.kxf", "--script", "s.txt"}};
  for (const auto& args : cases) {
    const Result r = Run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: kxview"), std::string::npos) << r.err;
  }
}

TEST_F(KxviewTest, ScriptLinesThatCannotRunNameScriptAndLineAndExitOne) {
  WriteFile(Temp("small.kxf"), kSmallForm);
  struct Case {
    const char* line;
    const char* message;  // after "SCRIPT:3: "
  };
  const Case cases[] = {
      {"frobnicate 1 2",
       "expected a command (move, press, release, click, dblclick, drag, key, "
       "type, wait, now, set, print, call, png, expect, expect-pixel), found "
       "'frobnicate'"},
      {"click 10 ten", "expected a number for Y, found 'ten'"},
      {"wait -5", "expected a time to wait of 0 ms or more, found -5"},
      {"click 1 2 sideways", "expected left, right or middle, found 'sideways'"},
      {"key VK_NOPE", "expected a virtual-key name (VK_RETURN, A …), found 'VK_NOPE'"},
      {"now 2026-02-30 10:00:00",
       "expected a time YYYY-MM-DD HH:MM:SS[.mmm], found "
       "'2026-02-30 10:00:00'"},
      {"print Nobody.Color", "expected a component of Small, found 'Nobody'"},
      {"print Lamp.Colour", "expected a published property of TPanel, found 'Colour'"},
      {"set Lamp.Width = 'wide'", "expected an integer for Width, found 'wide'"},
      {"set Lamp.Color = clNoSuchColour",
       "expected a colour name or number for Color, found "
       "'clNoSuchColour'"},
      {"call Lamp.Explode", "expected a method TPanel offers to scripts, found 'Explode'"},
      {"expect Lamp.Color = clLime", "expected Lamp.Color = clLime, found Lamp.Color = clRed"},
      {"expect-pixel 10 10 00FF00", "expected 00FF00 at 10 10, found FF0000"},
      {"expect-pixel 10 10 green", "expected a colour RRGGBB, found 'green'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const fs::path script = Temp("script.txt");
    WriteFile(script, std::string("move 1 1\n# the next line fails\n") + c.line + "\nmove 2 2\n");
    const Result r = Run({Temp("small.kxf").string(), "--script", script.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, script.string() + ":3: " + c.message + "\n");
  }
  const Result missing = Run({Temp("small.kxf").string(), "--script", Temp("absent.txt").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, Temp("absent.txt").string() + ":1: cannot read the script\n");
  const Result unwritable = Run({Temp("small.kxf").string(), "--script", "-"},
                                "printf 'png " + Temp("no/such/dir.png").string() + "\\n' |");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err.rfind("-:1: ", 0), 0u) << unwritable.err;
}

TEST_F(KxviewTest, ScriptPrintsSetsAndExpectsThenWritesThePng) {
  WriteFile(Temp("small.kxf"), kSmallForm);
  const fs::path script = Temp("script.txt");
  const fs::path during = Temp("during.png"), after = Temp("after.png");
  WriteFile(script,
            "print Lamp.Color\n"
            "print Lamp.Enabled\n"
            "\n"
            "set Lamp.Color = clLime\n"
            "expect Lamp.Color = clLime\n"
            "expect-pixel 10 10 00FF00\n"
            "png " +
                during.string() +
                "\n"
                "set Lamp.Left = 100\n"
                "print Lamp.Left\n");
  const Result r =
      Run({Temp("small.kxf").string(), "--script", script.string(), "--png", after.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Lamp.Color = clRed\nLamp.Enabled = True\nLamp.Left = 100\n");
  auto pixel = [&](const fs::path& png, int x, int y) {
    const std::string bytes = ReadFile(png);
    const host::BitmapImage image =
        host::DecodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return image.Pixels[image.Width * y + x];
  };
  EXPECT_EQ(pixel(during, 10, 10), 0x00FF00u);
  EXPECT_EQ(pixel(after, 10, 10), 0x102030u);
  EXPECT_EQ(pixel(after, 110, 10), 0x00FF00u);
}

// A form whose handlers live in an application kxview does not have.
constexpr const char* kHandlerForm = R"(object F: TForm
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  OnCreate = FormCreate
  OnShow = FormShow
  object Lamp: TPanel
    Left = 8
    Top = 8
    Width = 40
    Height = 20
    OnClick = LampClick
    OnDblClick = LampClick
    OnMouseDown = LampMouseDown
    OnMouseUp = LampMouseUp
  end
  object Ok: TButton
    Left = 100
    Top = 8
    Width = 60
    Height = 24
    ModalResult = 1
    OnClick = OkClick
  end
end
)";

TEST_F(KxviewTest, EventsPrintTheHandlerCallsInTheHostsOrder) {
  WriteFile(Temp("handlers.kxf"), kHandlerForm);
  WriteFile(Temp("script.txt"), "click 10 12\nclick 110 12\n");
  const Result r =
      Run({Temp("handlers.kxf").string(), "--events", "--script", Temp("script.txt").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "FormCreate(Sender=F)\n"
            "FormShow(Sender=F)\n"
            "LampMouseDown(Sender=Lamp Button=mbLeft Shift=[ssLeft] X=2 Y=4)\n"
            "LampClick(Sender=Lamp)\n"
            "LampMouseUp(Sender=Lamp Button=mbLeft Shift=[] X=2 Y=4)\n"
            "OkClick(Sender=Ok)\n"
            "Form.ModalResult = 1\n");
}

TEST_F(KxviewTest, EventsShowKeysAndTypedTextReachingTheForm) {
  WriteFile(Temp("keys.kxf"),
            "object F: TForm\n  Width = 200\n  Height = 100\n  KeyPreview = True\n"
            "  OnKeyDown = FormKeyDown\n  OnKeyPress = FormKeyPress\nend\n");
  const Result r = Run({Temp("keys.kxf").string(), "--events", "--script", "-"},
                       "printf 'key VK_RETURN shift\\ntype hi\\nkey VK_F5\\n' |");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "FormKeyDown(Sender=F Key=VK_SHIFT Shift=[ssShift])\n"
            "FormKeyDown(Sender=F Key=VK_RETURN Shift=[ssShift])\n"
            "FormKeyPress(Sender=F Key=#13)\n"
            "FormKeyPress(Sender=F Key='h')\n"
            "FormKeyPress(Sender=F Key='i')\n"
            "FormKeyDown(Sender=F Key=VK_F5 Shift=[])\n");
}

TEST_F(KxviewTest, WithoutEventsHandlersStayUnboundWithOneWarningPerNameAndAreSavedBack) {
  WriteFile(Temp("handlers.kxf"), kHandlerForm);
  const Result check = Run({Temp("handlers.kxf").string(), "--check"});
  EXPECT_EQ(check.status, 0);
  for (const char* name :
       {"FormCreate", "FormShow", "LampClick", "LampMouseDown", "LampMouseUp", "OkClick"}) {
    const std::string warning = std::string(" = ") + name + " left unbound";
    const size_t first = check.err.find(warning);
    EXPECT_NE(first, std::string::npos) << name << "\n" << check.err;
    EXPECT_EQ(check.err.find(warning, first + 1), std::string::npos) << name;
  }
  const Result save = Run({Temp("handlers.kxf").string(), "--save", Temp("saved.kxf").string()});
  ASSERT_EQ(save.status, 0) << save.err;
  const std::string saved = ReadFile(Temp("saved.kxf"));
  for (const char* line : {"OnCreate = FormCreate", "OnShow = FormShow", "OnClick = LampClick",
                           "OnMouseUp = LampMouseUp", "OnClick = OkClick"})
    EXPECT_NE(saved.find(line), std::string::npos) << line;
}

// A form saved from an application: its root class is the application's own.
constexpr const char* kApplicationForm = R"(object Form1: TForm1
  Left = 0
  Top = 0
  Width = 200
  Height = 100
  Caption = ''
  ClientHeight = 100
  ClientWidth = 200
  Font.Charset = 1
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnShow = FormShow
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 60
    Height = 24
    Font.Charset = 1
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    TabOrder = 0
    OnClick = Button1Click
  end
end
)";

TEST_F(KxviewTest, AnUnknownRootClassIsReadAsATFormWithOneWarningAndSavedBackUnderItsName) {
  const fs::path form = Temp("unit1.kxf");
  WriteFile(form, kApplicationForm);
  const std::string warning =
      "kxview: TForm1 is not a registered class; the form is read as a TForm\n";
  auto warnings = [&](const std::string& err) {
    size_t n = 0;
    for (size_t at = err.find(warning); at != std::string::npos; at = err.find(warning, at + 1))
      ++n;
    return n;
  };

  const Result check = Run({form.string(), "--check"});
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_EQ(warnings(check.err), 1u) << check.err;
  EXPECT_NE(check.err.find("OnClick = Button1Click left unbound"), std::string::npos) << check.err;

  const Result save = Run({form.string(), "--save", Temp("saved.kxf").string()});
  ASSERT_EQ(save.status, 0) << save.err;
  EXPECT_EQ(warnings(save.err), 1u) << save.err;
  EXPECT_EQ(ReadFile(Temp("saved.kxf")), kApplicationForm);

  const Result script =
      Run({form.string(), "--events", "--script", "-"}, "printf 'click 10 12\\n' |");
  ASSERT_EQ(script.status, 0) << script.err;
  EXPECT_EQ(script.err, warning);
  EXPECT_EQ(script.out, "FormShow(Sender=Form1)\nButton1Click(Sender=Button1)\n");
  EXPECT_EQ(Run({form.string(), "--png", Temp("unit1.png").string()}).status, 0);

  // Only the root stands in: a component of an unknown class is still refused at its line.
  WriteFile(form, "object Form1: TForm1\n  object X: TNoSuchThing\n  end\nend\n");
  const Result broken = Run({form.string(), "--check"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(
      broken.err.find(form.string() + ":2: expected a registered class, found 'TNoSuchThing'"),
      std::string::npos)
      << broken.err;
}

}  // namespace
