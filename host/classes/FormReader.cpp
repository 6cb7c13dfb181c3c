// Reading form files: parse (FormParser), check everything against the
// published tables, then create and set. See Streaming.h for the guarantees.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <unordered_map>

#include "host/base/ColorNames.h"
#include "host/base/FileContents.h"
#include "host/classes/ClassRegistry.h"
#include "host/classes/FormParser.h"
#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"

namespace host {

namespace {

// One property of the file, checked and converted.
struct Assignment {
  const TFormProperty* Source = nullptr;
  std::vector<const TPropInfo*> Via;  // the sub-objects on the way (Bevel in Bevel.InnerWidth)
  const TPropInfo* Prop = nullptr;
  int64_t Ord = 0;
  const TMethodInfo* Method = nullptr;  // nullptr for an event: clears it
  bool Unpublished = false;             // an event naming a method the root lacks
};

// One object of the file, checked.
struct Plan {
  const TFormObject* Source = nullptr;
  TClass Class = nullptr;
  std::vector<Assignment> Assignments;  // in the order to apply them
  std::vector<Plan> Children;
};

// A component reference waiting for every component to exist.
struct Fixup {
  TObject* Target;
  const TPropInfo* Prop;
  const std::string* Name;
  int Line;
};

std::string Article(std::string_view word) {
  const bool vowel =
      !word.empty() && std::string_view("aeiouAEIOU").find(word[0]) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(word);
}

std::string EnumNames(const TEnumInfo& info) {
  std::string out;
  for (int i = 0; i < info.Count(); ++i) {
    if (i) out += ", ";
    out += info.Name(i);
  }
  return out;
}

class FormReader {
 public:
  FormReader(std::string_view fileName, const TFormObject& tree, const TReadOptions& options = {})
      : file_(fileName), tree_(tree), options_(options) {}

  // Checks the whole file for a new root of class cls.
  Plan Check(TClass rootClass, const TComponent* existingRoot) {
    existing_ = existingRoot;
    root_class_ = rootClass;
    Plan plan = CheckObject(tree_, rootClass);
    for (const PendingRef& r : refs_) CheckReference(r);
    return plan;
  }

  TComponent* ApplyNew(const Plan& plan, TComponent* owner) {
    TComponent* root = CreateComponent(plan.Class, owner);
    try {
      Apply(root, plan);
    } catch (...) {
      root->Free();
      throw;
    }
    return root;
  }

  // Checks and sets one property of comp, which is root or one of its
  // components, as a line of root's form file would.
  void ApplyOne(TComponent* root, TComponent* comp, const TFormProperty& p) {
    existing_ = root;
    root_class_ = root->ClassType();
    root_ = root;
    const Assignment a = CheckProperty(comp->ClassType(), p);
    for (const PendingRef& r : refs_) CheckReference(r);
    line_ = p.Line;
    Guarded([&] { ApplyProperty(comp, a); });
    for (const Fixup& f : fixups_) Guarded([&] { f.Prop->SetObject(f.Target, Resolve(*f.Name)); });
  }

  void ApplyInto(TComponent* root, const Plan& plan) {
    try {
      Apply(root, plan);
    } catch (...) {
      for (auto it = created_.rbegin(); it != created_.rend(); ++it) (*it)->Free();
      root->ClearLoadingState();
      throw;
    }
  }

 private:
  struct PendingRef {
    const TPropInfo* Prop;
    const TFormProperty* Source;
  };

  [[noreturn]] void Fail(int line, std::string_view message) const {
    throw EReadError(FormErrorText(file_, line, message));
  }

  // --- checking ---

  Plan CheckObject(const TFormObject& obj, TClass cls) {
    Plan plan;
    plan.Source = &obj;
    plan.Class = cls;
    if (&obj != &tree_) CheckName(obj);
    std::vector<Assignment> last;
    for (const TFormProperty& p : obj.Properties) {
      Assignment a = CheckProperty(cls, p);
      (a.Prop->ReadLast ? last : plan.Assignments).push_back(std::move(a));
    }
    for (Assignment& a : last) plan.Assignments.push_back(std::move(a));
    for (const TFormObject& child : obj.Children)
      plan.Children.push_back(CheckObject(child, ChildClass(child)));
    return plan;
  }

  TClass ChildClass(const TFormObject& obj) const {
    TClass cls = GetClass(obj.ClassName);
    if (!cls) Fail(obj.Line, "expected a registered class, found '" + obj.ClassName + "'");
    if (!CanCreateClass(cls))
      Fail(obj.Line, "expected a component class, found '" + obj.ClassName + "'");
    return cls;
  }

  void CheckName(const TFormObject& obj) {
    if (obj.Name.empty()) return;
    auto [it, added] = names_.try_emplace(LowerCase(obj.Name), &obj);
    if (!added)
      Fail(obj.Line, "expected a unique component name, found '" + obj.Name +
                         "' again (first on line " + std::to_string(it->second->Line) + ")");
    if (existing_ && existing_->FindComponent(obj.Name))
      Fail(obj.Line, "expected a unique component name, found '" + obj.Name + "', which " +
                         existing_->Name() + " already owns");
  }

  Assignment CheckProperty(TClass cls, const TFormProperty& p) {
    Assignment a;
    a.Source = &p;
    std::string_view rest = p.Name;
    for (;;) {
      const size_t dot = rest.find('.');
      const std::string_view part = rest.substr(0, dot);
      const TPublished* table = PublishedOfClass(cls);
      const TPropInfo* info = table ? table->Find(part) : nullptr;
      if (!info || !info->Stored)
        Fail(p.Line, "expected a published property of " + std::string(cls->Name) + ", found '" +
                         std::string(part) + "'");
      if (dot == std::string_view::npos) {
        a.Prop = info;
        break;
      }
      if (info->Kind != tkClass)
        Fail(p.Line,
             "expected a sub-object before '.', found " + std::string(part) + ", which is not one");
      a.Via.push_back(info);
      cls = info->PropClass;
      rest = rest.substr(dot + 1);
    }
    CheckValue(a);
    return a;
  }

  [[noreturn]] void WrongValue(const Assignment& a, std::string_view expected) const {
    Fail(a.Source->Line, "expected " + std::string(expected) + " for " + a.Source->Name +
                             ", found " + a.Source->Value.Text);
  }

  // A 32-bit value: decimal within the signed range, or a hex bit pattern.
  int64_t Int32(const Assignment& a, std::string_view expected) const {
    const TFormValue& v = a.Source->Value;
    if (v.Kind != TFormValue::vkInteger) WrongValue(a, expected);
    const int64_t lo = std::numeric_limits<int32_t>::min();
    const int64_t hi =
        v.Hex ? std::numeric_limits<uint32_t>::max() : std::numeric_limits<int32_t>::max();
    if (v.Int < lo || v.Int > hi) WrongValue(a, std::string(expected) + " within 32 bits");
    return static_cast<int32_t>(static_cast<uint32_t>(v.Int));
  }

  void CheckValue(Assignment& a) {
    const TFormValue& v = a.Source->Value;
    const TPropInfo& p = *a.Prop;
    switch (p.Kind) {
      case tkInteger:
        a.Ord = Int32(a, "an integer");
        return;
      case tkCardinal:
        if (v.Kind != TFormValue::vkInteger || v.Int < 0 ||
            v.Int > std::numeric_limits<uint32_t>::max())
          WrongValue(a, "an integer 0..4294967295");
        a.Ord = v.Int;
        return;
      case tkBoolean:
        if (v.Kind == TFormValue::vkIdent &&
            (SameText(v.Str, "True") || SameText(v.Str, "False"))) {
          a.Ord = SameText(v.Str, "True");
          return;
        }
        WrongValue(a, "True or False");
      case tkEnumeration: {
        std::optional<int> ord;
        if (v.Kind == TFormValue::vkIdent) ord = p.EnumType->Ordinal(v.Str);
        if (!ord)
          WrongValue(a,
                     "a value of " + p.EnumType->TypeName() + " (" + EnumNames(*p.EnumType) + ")");
        a.Ord = *ord;
        return;
      }
      case tkSet: {
        if (v.Kind != TFormValue::vkSet) WrongValue(a, "a set [" + EnumNames(*p.EnumType) + "]");
        uint64_t bits = 0;
        for (const std::string& item : v.Items) {
          const std::optional<int> ord = p.EnumType->Ordinal(item);
          if (!ord || *ord >= 64)
            Fail(a.Source->Line, "expected an element of " + p.EnumType->TypeName() + " (" +
                                     EnumNames(*p.EnumType) + ") in " + a.Source->Name +
                                     ", found '" + item + "'");
          bits |= uint64_t{1} << *ord;
        }
        a.Ord = static_cast<int64_t>(bits);
        return;
      }
      case tkColor:
        if (v.Kind == TFormValue::vkIdent) {
          const std::optional<TColor> c = IdentToColor(v.Str);
          if (!c) WrongValue(a, "a colour name or number");
          a.Ord = *c;
          return;
        }
        a.Ord = Int32(a, "a colour name or number");
        return;
      case tkFloat:
        if (v.Kind != TFormValue::vkFloat && v.Kind != TFormValue::vkInteger)
          WrongValue(a, "a number");
        return;
      case tkString:
        if (v.Kind != TFormValue::vkString) WrongValue(a, "a string");
        return;
      case tkStrings:
        if (v.Kind != TFormValue::vkList) WrongValue(a, "a list of strings ( '…' '…' )");
        return;
      case tkClass:
        WrongValue(a, "a property of the sub-object (" + p.Name + ".Property = …)");
      case tkComponent:
        if (v.Kind != TFormValue::vkIdent) WrongValue(a, "a component name");
        if (!SameText(v.Str, "nil")) refs_.push_back({&p, a.Source});
        return;
      case tkMethod:
        if (v.Kind != TFormValue::vkIdent) WrongValue(a, "a method name");
        if (!SameText(v.Str, "nil")) CheckMethod(a);
        return;
      case tkBinary:
        if (v.Kind != TFormValue::vkBinary) WrongValue(a, "binary data { … }");
        return;
    }
  }

  void CheckMethod(Assignment& a) const {
    const TPublished* table = PublishedOfClass(root_class_);
    const TMethodInfo* m = table ? table->FindMethod(a.Source->Value.Str) : nullptr;
    if (!m && options_.Unpublished) {
      a.Unpublished = true;
      return;
    }
    if (!m) WrongValue(a, std::string("a published method of ") + root_class_->Name);
    if (m->EventType != a.Prop->EventType)
      WrongValue(a, "a method with the parameters of " + a.Prop->Name);
    a.Method = m;
  }

  void CheckReference(const PendingRef& r) const {
    const std::string& name = r.Source->Value.Str;
    TClass cls = nullptr;
    if (auto it = names_.find(LowerCase(name)); it != names_.end())
      cls = GetClass(it->second->ClassName);
    else if (SameText(name, tree_.Name))
      cls = root_class_;
    else if (const TComponent* c = existing_ ? existing_->FindComponent(name) : nullptr)
      cls = c->ClassType();
    if (!cls)
      Fail(r.Source->Line,
           "expected a component of this form for " + r.Source->Name + ", found '" + name + "'");
    for (TClass c = cls; c; c = c->Parent)
      if (c == r.Prop->PropClass) return;
    Fail(r.Source->Line, "expected " + Article(r.Prop->PropClass->Name) + " for " + r.Source->Name +
                             ", found '" + name + "' (" + Article(cls->Name) + ")");
  }

  // --- applying ---

  void Apply(TComponent* root, const Plan& plan) {
    root_ = root;
    root->SetLoadingState(true);
    loaded_.push_back({root, tree_.Line});
    if (!tree_.Name.empty() && root->Name() != tree_.Name) {
      line_ = tree_.Line;
      Guarded([&] { root->SetName(tree_.Name); });
    }
    ApplyObject(root, plan);
    for (const Fixup& f : fixups_) {
      line_ = f.Line;
      Guarded([&] { f.Prop->SetObject(f.Target, Resolve(*f.Name)); });
    }
    for (const auto& [c, line] : loaded_) c->SetLoadingState(false);
    for (const auto& entry : loaded_) {
      line_ = entry.second;
      Guarded([&] { entry.first->Loaded(); });
    }
    line_ = tree_.Line;
    Guarded([&] { root->FinishedReading(); });
  }

  void ApplyObject(TComponent* comp, const Plan& plan) {
    for (const Assignment& a : plan.Assignments) {
      line_ = a.Source->Line;
      Guarded([&] { ApplyProperty(comp, a); });
    }
    Settle(comp, plan);
    for (const Plan& child : plan.Children) {
      line_ = child.Source->Line;
      TComponent* c = nullptr;
      Guarded([&] {
        c = CreateComponent(child.Class, root_);
        created_.push_back(c);
        c->SetName(child.Source->Name);
        c->SetLoadingState(true);
        loaded_.push_back({c, line_});
        if (!c->Name().empty()) by_name_[LowerCase(c->Name())] = c;
        // A component nested under one that cannot hold it (a control inside
        // a label) goes to the nearest enclosing one that can, as a designer
        // would drop it there; left without a parent it would be written at
        // the top level and come back elsewhere.
        for (TComponent* p = comp;; p = p->GetParentComponent()) {
          c->SetParentComponent(p);
          if (c->GetParentComponent() == p || p == root_ || !p->GetParentComponent()) break;
        }
      });
      ApplyObject(c, child);
    }
  }

  // A setter may refuse a value that depends on a property set after it
  // (Max = 0 is refused while Min is still 0, though the Min = -1 that
  // follows makes it valid). Ordinal values that did not stick are set once
  // more, in file order, while that makes progress, so a saved component
  // comes back with the values it had.
  void Settle(TComponent* comp, const Plan& plan) {
    // Only the last assignment of each property counts.
    std::vector<const Assignment*> pending;
    for (auto a = plan.Assignments.rbegin(); a != plan.Assignments.rend(); ++a) {
      const bool later = std::any_of(pending.begin(), pending.end(), [&](const Assignment* b) {
        return b->Prop == a->Prop && b->Via == a->Via;
      });
      if (a->Prop->IsOrdinal() && !later) pending.push_back(&*a);
    }
    std::reverse(pending.begin(), pending.end());
    for (size_t before = SIZE_MAX; !pending.empty() && pending.size() < before;) {
      before = pending.size();
      std::erase_if(pending, [&](const Assignment* a) {
        return a->Prop->GetOrd(Target(comp, *a)) == a->Ord;
      });
      for (const Assignment* a : pending) {
        line_ = a->Source->Line;
        Guarded([&] { ApplyProperty(comp, *a); });
      }
    }
  }

  TObject* Target(TComponent* comp, const Assignment& a) const {
    TObject* target = comp;
    for (const TPropInfo* via : a.Via) {
      target = via->GetObject(target);
      if (!target) throw EReadError(via->Name + " is not assigned");
    }
    return target;
  }

  void ApplyProperty(TComponent* comp, const Assignment& a) {
    TObject* target = Target(comp, a);
    const TPropInfo& p = *a.Prop;
    const TFormValue& v = a.Source->Value;
    switch (p.Kind) {
      case tkFloat:
        p.SetFloat(target, v.Kind == TFormValue::vkFloat ? v.Float : static_cast<double>(v.Int));
        break;
      case tkString:
        p.SetStr(target, v.Str);
        break;
      case tkStrings: {
        TStringList list;
        for (const std::string& s : v.Items) list.Add(s);
        p.SetObject(target, &list);
        break;
      }
      case tkComponent:
        if (SameText(v.Str, "nil"))
          p.SetObject(target, nullptr);
        else
          fixups_.push_back({target, &p, &v.Str, a.Source->Line});
        break;
      case tkMethod:
        if (a.Unpublished) {
          p.SetStr(target, v.Str);
          options_.Unpublished(p, p.EventField(target), v.Str);
        } else if (a.Method)
          a.Method->Bind(root_, p.EventField(target));
        else
          p.SetStr(target, "");
        break;
      case tkBinary:
        p.SetBinary(target, v.Bytes);
        break;
      case tkClass:
        break;  // refused while checking
      default:
        p.SetOrd(target, a.Ord);
    }
  }

  TComponent* Resolve(const std::string& name) const {
    if (auto it = by_name_.find(LowerCase(name)); it != by_name_.end()) return it->second;
    if (TComponent* c = root_->FindComponent(name)) return c;
    return root_;  // checked: the only other name is the root's own
  }

  // Runs f; a failure of the components' own code is reported at the line
  // being applied.
  template <class F>
  void Guarded(F&& f) {
    try {
      f();
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      throw EReadError(FormErrorText(file_, line_, e.Message()));
    } catch (const std::exception& e) {
      throw EReadError(FormErrorText(file_, line_, e.what()));
    }
  }

  std::string_view file_;
  const TFormObject& tree_;
  // Held by value: a reader made without options is given a temporary.
  const TReadOptions options_;
  const TComponent* existing_ = nullptr;
  TClass root_class_ = nullptr;
  std::unordered_map<std::string, const TFormObject*> names_;  // lower-case name → object
  std::vector<PendingRef> refs_;

  TComponent* root_ = nullptr;
  std::vector<TComponent*> created_;
  std::vector<std::pair<TComponent*, int>> loaded_;       // with the line of its object
  std::unordered_map<std::string, TComponent*> by_name_;  // created, by lower-case name
  std::vector<Fixup> fixups_;
  int line_ = 0;
};

// The root class of the file for an existing root: root's class or the
// ancestor the file names.
TClass RootClassFor(const TComponent* root, const TFormObject& tree, std::string_view fileName) {
  for (TClass c = root->ClassType(); c; c = c->Parent)
    if (SameText(c->Name, tree.ClassName)) return root->ClassType();
  throw EReadError(FormErrorText(
      fileName, tree.Line,
      "expected an object of class " + root->ClassName() + ", found " + tree.ClassName));
}

}  // namespace

TComponent* ReadForm(std::string_view text, std::string_view fileName, TComponent* owner,
                     const TReadOptions& options) {
  const TFormObject tree = ParseForm(text, fileName);
  TClass cls = GetClass(tree.ClassName);
  if (!cls && options.UnknownRoot) cls = options.UnknownRoot(tree.ClassName);
  if (!cls || !CanCreateClass(cls))
    throw EReadError(FormErrorText(fileName, tree.Line,
                                   "expected a registered class, found '" + tree.ClassName + "'"));
  FormReader reader(fileName, tree, options);
  const Plan plan = reader.Check(cls, nullptr);
  return reader.ApplyNew(plan, owner);
}

void ReadFormInto(TComponent* root, std::string_view text, std::string_view fileName) {
  const TFormObject tree = ParseForm(text, fileName);
  FormReader reader(fileName, tree);
  const Plan plan = reader.Check(RootClassFor(root, tree, fileName), root);
  reader.ApplyInto(root, plan);
}

void ReadProperty(TComponent* root, TComponent* component, std::string_view text,
                  std::string_view fileName, int line) {
  const TFormProperty p = ParseFormProperty(text, fileName, line);
  TFormObject tree;
  tree.Name = root->Name();
  tree.ClassName = root->ClassName();
  FormReader(fileName, tree).ApplyOne(root, component, p);
}

TComponent* ReadFormFile(const std::string& path, TComponent* owner) {
  return ReadForm(ReadFileContents(path), path, owner);
}

void ReadFormFileInto(TComponent* root, const std::string& path) {
  ReadFormInto(root, ReadFileContents(path), path);
}

}  // namespace host
