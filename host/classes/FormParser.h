#pragma once
// The syntax of form files: text → a tree of objects and property values,
// without looking at any class. Every node keeps its line for messages.
//
//   object Form1: TForm1            an object: name (may be left out) and class
//     Caption = 'Hello'#13#10'x'    strings: quoted parts and #n byte codes
//     Bevel.InnerWidth = 2          a property of a sub-object
//     Anchors = [akLeft, akTop]     a set
//     Items.Strings = ( 'a' 'b' )   a string list
//     Glyph.Data = { 0A1B }         binary data in hex
//     OnClick = BtSaveClick         identifiers: names, enumeration values, True …
//     object Button1: TButton … end
//   end
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct TFormValue {
  enum TKind : uint8_t { vkInteger, vkFloat, vkString, vkIdent, vkSet, vkList, vkBinary };
  TKind Kind = vkInteger;
  bool Hex = false;  // an integer written as $hex (a bit pattern: up to 8 digits)
  int64_t Int = 0;
  double Float = 0;
  std::string Str;                 // string text, or identifier
  std::vector<std::string> Items;  // set elements, or list strings
  std::vector<uint8_t> Bytes;      // binary data
  std::string Text;                // as written, for messages
};

struct TFormProperty {
  std::string Name;  // possibly dotted: Bevel.InnerWidth
  TFormValue Value;
  int Line = 0;
};

struct TFormObject {
  std::string Name;  // empty for an unnamed object
  std::string ClassName;
  int Line = 0;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
};

// Parses a whole form file. Raises EReadError "FILE:LINE: expected …, found …"
// for anything that is not a well-formed form file, including a file that is
// not UTF-8 text.
TFormObject ParseForm(std::string_view text, std::string_view fileName);
// Parses one property line ("Caption = 'Hi'"), counting lines from line.
TFormProperty ParseFormProperty(std::string_view text, std::string_view fileName, int line);

// The offset of the first byte that breaks UTF-8, or npos.
size_t InvalidUtf8Offset(std::string_view s);

// "FILE:LINE: message"; the message alone for text from no file (fileName
// empty), whose caller knows better where it came from.
std::string FormErrorText(std::string_view fileName, int line, std::string_view message);

}  // namespace host
