#pragma once
// Form files (.kxf): a text layout of a root component (a form) and the
// components it owns, nested by parent. Reading creates the components by
// class name (host/classes/ClassRegistry.h) with the root as owner and sets
// their published properties (host/classes/TypInfo.h); writing stores every
// property that differs from its declared default.
//
// Reading works in three steps: the whole text is parsed, then every class,
// property, value, name, reference and method is checked against the
// published tables, and only then are components created and properties set.
// So an error in the file — reported as EReadError "FILE:LINE: expected …,
// found …" — leaves the caller's objects exactly as they were. A failure
// raised by a component's own code while the properties are set (a setter or
// Loaded throwing) frees every component the read created and is reported
// the same way with the line being applied; the properties already set on an
// existing root stay set.
//
// Components read are marked csLoading and csReading while their properties
// are set; component references are fixed up once every component exists;
// csReading is then cleared and Loaded called once per component, in file
// order.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "host/base/EnumInfo.h"
#include "host/base/ModuleResources.h"
#include "host/classes/Classes.h"

namespace host {

struct TPropInfo;

// What a read does with an event that names a method the root class does not
// publish. By default the file is refused ("expected a published method of
// TForm1 for OnShow"); given Unpublished, a read takes the file and calls it
// for each such event as the event is set, with the event's field (a TEvent
// of event.EventType) to bind or leave unbound. An unbound one keeps the
// method's name, so the form is written back with it.
//
// What a read does with a root whose class is not registered, as in a form
// saved from an application ("object Form1: TForm1"). By default the file is
// refused ("expected a registered class, found 'TForm1'"); given UnknownRoot,
// a read calls it with the file's class name and reads the root as the class
// it returns (nullptr still refuses). Only the root stands in: a component of
// an unknown class inside it is refused either way.
struct TReadOptions {
  std::function<void(const TPropInfo& event, void* eventField, const std::string& method)>
      Unpublished;
  std::function<TClass(const std::string& className)> UnknownRoot;
};

// Reads into a new instance of the file's root class, owned by owner. The
// class must be registered.
TComponent* ReadForm(std::string_view text, std::string_view fileName, TComponent* owner = nullptr,
                     const TReadOptions& options = {});
// Reads into an existing root, as a form's constructor reads its stored
// layout. The file's root class must be root's class or one of its ancestors.
void ReadFormInto(TComponent* root, std::string_view text, std::string_view fileName);
TComponent* ReadFormFile(const std::string& path, TComponent* owner = nullptr);
void ReadFormFileInto(TComponent* root, const std::string& path);

// Stored layouts among a module's resources (type RT_FORM), found by name
// without regard to case; EResNotFound when there is none of that name.
TComponent* ReadFormResource(HMODULE module, std::string_view name, TComponent* owner = nullptr);
void ReadFormResourceInto(TComponent* root, HMODULE module, std::string_view name);

template <class T>
T* ReadFormAs(std::string_view text, std::string_view fileName, TComponent* owner = nullptr,
              const TReadOptions& options = {}) {
  TComponent* c = ReadForm(text, fileName, owner, options);
  if (T* t = As<T>(c)) return t;
  const std::string found = c->ClassName();
  c->Free();
  throw EReadError(std::string(fileName) + ":1: expected an object of class " +
                   T::StaticClass()->Name + ", found " + found);
}

// One published property of component (root or a component of root's form)
// as a line of root's form file: ReadProperty checks and sets "Caption =
// 'Hi'" or "Bevel.InnerWidth = 2" as the reader would (EReadError
// "FILE:LINE: …" counting from line); WritePropertyValue gives the value of
// a property by that name as the writer writes it, also for a default.
void ReadProperty(TComponent* root, TComponent* component, std::string_view text,
                  std::string_view fileName, int line);
std::string WritePropertyValue(TComponent* root, TComponent* component, std::string_view name);
// A string and a set of enumInfo's elements as form files write them:
// 'it''s'#13 and [ssShift, ssLeft].
std::string FormStringText(std::string_view s);
std::string FormSetText(const TEnumInfo& enumInfo, uint64_t bits);

// The form file text of root and everything nested under it. Given
// rootClass, the root is written under that class name in place of its own,
// as for a root read in place of a class the reader did not know.
std::string WriteForm(TComponent* root, std::string_view rootClass = {});
void WriteFormFile(TComponent* root, const std::string& path, std::string_view rootClass = {});

}  // namespace host
