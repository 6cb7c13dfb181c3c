// Every class a form file may name: it constructs, a fresh instance writes
// only what is always stored, its output reads back to the same values, and
// its published list (names, order, defaults) is the one kept in
// published/CLASS.txt beside this test — form files depend on that order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/FileContents.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"
#include "kxpack/package/KxPack.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

bool Descends(TClass cls, TClass base) {
  for (; cls; cls = cls->Parent)
    if (cls == base) return true;
  return false;
}

std::vector<TClass> AllClasses() {
  (void)kx::HInstance();  // the package's classes register when it loads
  std::vector<TClass> classes = RegisteredClasses();
  std::erase_if(classes, [](TClass cls) { return !CanCreateClass(cls); });
  std::sort(classes.begin(), classes.end(),
            [](TClass a, TClass b) { return std::string_view(a->Name) < b->Name; });
  return classes;
}

// One line of the expected list: the name, then " = default" when the
// property has a declared default.
std::string Describe(const TPropInfo& p) {
  std::string line = p.Name;
  if (!p.HasDefault) return line;
  line += " = ";
  switch (p.Kind) {
    case tkString:
      return line + "'" + p.StrDefault + "'";
    case tkFloat:
      return line + std::to_string(p.FloatDefault);
    case tkEnumeration:
      return line + std::string(p.EnumType->Name(static_cast<int>(p.OrdDefault)));
    case tkColor: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "$%08X", static_cast<uint32_t>(p.OrdDefault));
      return line + hex;
    }
    case tkSet: {
      std::string elements;
      for (int i = 0; i < p.EnumType->Count(); ++i)
        if (p.OrdDefault & (int64_t{1} << i))
          elements += (elements.empty() ? "" : ", ") + std::string(p.EnumType->Name(i));
      return line + "[" + elements + "]";
    }
    default:
      return line + std::to_string(p.OrdDefault);
  }
}

std::string PublishedList(TClass cls) {
  std::string list;
  for (const TPropInfo& p : PublishedOfClass(cls)->Properties()) list += Describe(p) + "\n";
  return list;
}

std::string ExpectedListFile(TClass cls) {
  return std::string(KX_SOURCE_DIR) + "/tests/kxpack/package/published/" + cls->Name + ".txt";
}

// Properties of obj that a fresh instance must not write: those with a
// declared default whose value differs from it, and lists, references,
// events and data that are not empty. Sub-objects are checked inside.
void CollectNonDefault(TObject* obj, const std::string& path, std::vector<std::string>& found) {
  if (!obj->Published()) return;
  for (const TPropInfo& p : obj->Published()->Properties()) {
    if (!p.IsStoredValue(obj)) continue;
    if (p.Kind == tkClass) {
      if (TObject* sub = p.GetObject(obj)) CollectNonDefault(sub, path + p.Name + ".", found);
    } else if (p.HasDefault || p.Kind == tkStrings || p.Kind == tkComponent || p.Kind == tkMethod ||
               p.Kind == tkBinary) {
      found.push_back(path + p.Name);
    }
  }
}

// Every published value of a and b, as text, for comparing two instances.
void Values(TObject* obj, const std::string& path, std::vector<std::string>& out) {
  if (!obj->Published()) return;
  for (const TPropInfo& p : obj->Published()->Properties()) {
    std::string v;
    switch (p.Kind) {
      case tkFloat:
        v = std::to_string(p.GetFloat(obj));
        break;
      case tkString:
      case tkMethod:
        v = p.GetStr(obj);
        break;
      case tkStrings:
        v = static_cast<TStrings*>(p.GetObject(obj))->Text();
        break;
      case tkComponent: {
        auto* c = static_cast<TComponent*>(p.GetObject(obj));
        v = c ? c->Name() : "nil";
        break;
      }
      case tkClass:
        if (TObject* sub = p.GetObject(obj)) Values(sub, path + p.Name + ".", out);
        continue;
      case tkBinary: {
        const std::vector<uint8_t> bytes = p.GetBinary(obj);
        v = std::string(bytes.begin(), bytes.end());
        break;
      }
      default:
        v = std::to_string(p.GetOrd(obj));
    }
    out.push_back(path + p.Name + " = " + v);
  }
}

// Values that loading changes by design: the class, the value as written,
// and what the copy reads once loaded.
struct LoadedChange {
  std::string_view Class, Before, After;
};
// A footer loaded with neither sizing switch on reads UseResizeImg False.
constexpr LoadedChange kChangedByLoading[] = {
    {"TKxPanelFooter", "UseResizeImg = 1", "UseResizeImg = 0"}};

// values of an object of class cls as its copy reads them after loading.
void AsLoaded(std::string_view cls, std::vector<std::string>& values) {
  for (const LoadedChange& change : kChangedByLoading)
    if (change.Class == cls)
      std::replace(values.begin(), values.end(), std::string(change.Before),
                   std::string(change.After));
}

class RegisteredClassTest : public HeadlessTest, public ::testing::WithParamInterface<TClass> {
 protected:
  // A new instance: a form on its own, or a component owned by a form; a
  // control is put on the form when onForm, and what it paints is settled.
  TComponent* Create(TClass cls, bool onForm) {
    if (Descends(cls, TCustomForm::StaticClass())) {
      auto* form = static_cast<TCustomForm*>(CreateComponent(cls, nullptr));
      owned_.push_back(form);
      return form;
    }
    TForm* form = MakeForm();
    TComponent* c = CreateComponent(cls, form);
    c->SetName("Probe");
    if (auto* control = As<TControl>(c); control && onForm) control->SetParent(form);
    form->Show();
    Pump();
    return c;
  }
  // The root whose form file holds c.
  static TComponent* RootOf(TComponent* c) { return c->Owner() ? c->Owner() : c; }

  // Writes the form file holding c, reads it back and compares every
  // published value of c with its copy's.
  // Properties named in ignored are left out of the comparison.
  void ExpectReadsBackEqual(TComponent* c, const std::vector<std::string>& ignored = {}) {
    TComponent* root = RootOf(c);
    const std::string text = WriteForm(root);
    TComponent* copyRoot = ReadForm(text, "probe.kxf");
    owned_.push_back(copyRoot);
    TComponent* copy = c == root ? copyRoot : copyRoot->FindComponent(c->Name());
    ASSERT_NE(copy, nullptr) << text;
    Pump();
    std::vector<std::string> before, after;
    Values(c, "", before);
    AsLoaded(c->ClassName(), before);
    Values(copy, "", after);
    for (const std::string& name : ignored)
      for (auto* values : {&before, &after})
        std::erase_if(*values, [&](const std::string& v) { return v.starts_with(name + " = "); });
    EXPECT_EQ(after, before) << text;
  }

  void TearDown() override {
    for (TComponent* c : owned_) c->Free();
    HeadlessTest::TearDown();
  }
  std::vector<TComponent*> owned_;
};

TEST_P(RegisteredClassTest, PublishesTheExpectedList) {
  const TClass cls = GetParam();
  std::string expected;
  try {
    expected = ReadFileContents(ExpectedListFile(cls));
  } catch (const EFOpenError&) {
    ADD_FAILURE() << "no list at " << ExpectedListFile(cls) << "; this class has:\n"
                  << PublishedList(cls);
  }
  EXPECT_EQ(PublishedList(cls), expected);
}

TEST_P(RegisteredClassTest, AFreshInstanceWritesOnlyWhatIsAlwaysStored) {
  // Off the form: on one, a windowed control takes a tab position.
  TComponent* c = Create(GetParam(), false);
  std::vector<std::string> found;
  CollectNonDefault(c, "", found);
  EXPECT_EQ(found, std::vector<std::string>{});
}

TEST_P(RegisteredClassTest, ItsOwnOutputReadsBackToEqualValues) {
  ExpectReadsBackEqual(Create(GetParam(), true));
}

// Moves every ordinal property with a declared default of obj (and of its
// sub-objects) off that default, through its setter.
void ChangeFromDefaults(TObject* obj) {
  if (!obj->Published()) return;
  for (const TPropInfo& p : obj->Published()->Properties()) {
    if (p.Kind == tkClass && p.GetObject(obj)) ChangeFromDefaults(p.GetObject(obj));
    if (!p.HasDefault || !p.IsOrdinal() || !p.Stored) continue;
    switch (p.Kind) {
      case tkBoolean:
        p.SetOrd(obj, !p.OrdDefault);
        break;
      case tkEnumeration:
        p.SetOrd(obj, (p.OrdDefault + 1) % p.EnumType->Count());
        break;
      case tkSet:
        p.SetOrd(obj, p.OrdDefault ^ 1);
        break;
      case tkColor:
        p.SetOrd(obj, 0x00123456);
        break;
      default:
        p.SetOrd(obj, p.OrdDefault + 1);
    }
  }
}

// Values a class's Loaded sets whatever the file held: the title bar takes
// its own font and, locked to the top, Top -1 (the font change also ends
// ParentFont).
std::vector<std::string> SetByLoaded(TClass cls) {
  if (std::string_view(cls->Name) == "TKxPanelTitle")
    return {"Top", "Font.Color", "Font.Style", "ParentFont"};
  return {};
}

TEST_P(RegisteredClassTest, ChangedValuesReadBackEqual) {
  TComponent* c = Create(GetParam(), true);
  ChangeFromDefaults(c);
  Pump();
  ExpectReadsBackEqual(c, SetByLoaded(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Registry, RegisteredClassTest, ::testing::ValuesIn(AllClasses()),
                         [](const auto& info) { return std::string(info.param->Name); });

}  // namespace
}  // namespace host::testing
