#pragma once
// Published properties and methods: for each class, in declaration order,
// the properties that form files store and inspectors show, with their type,
// getter, setter and declared default; and the methods of a form that events
// can be bound to by name.
//
// A class declares its table with a static function built by Publish<T>(),
// which starts from the parent's table (inherited entries first):
//
//   static const host::TPublished& PublishedProperties() {
//     using T = TKxDisplayNum;
//     static const host::TPublished table = host::Publish<T>()
//         .String("AboutKx", &T::AboutKx, &T::SetAboutKx, "Component")
//         .Int("Digits", &T::Digits, &T::SetDigits, 4)   // declared default 4
//         .Int("Value", &T::Value, &T::SetValue, 0).ReadLast()
//         .Enum("Style", &T::Style, &T::SetStyle, tns7x13)
//         .Color("Color", &T::Color, &T::SetColor, clBlack)
//         .Color("InnerShadow", &T::InnerShadow, &T::SetInnerShadow)  // always stored
//         .Set("Anchors", &T::Anchors, &T::SetAnchors, TAnchors{akLeft, akTop})
//         .Object("Palette", &T::Palette, &T::SetPalette)
//         .Event("OnChange", &T::FOnChange);
//     return table;
//   }
//
// A getter is a const or non-const member function (or a data member); a
// setter is a member function taking the value (or a data member, assigned
// directly). Leaving out the default makes a property "always stored".
// Declaring a name again replaces the inherited entry and moves it to the
// new place; Hide removes one; SetDefault changes an inherited default.
//
// A base class declares once, after Offering(), the properties it offers
// without publishing them (the host framework keeps them protected); a
// descendant publishes them by name, at the current place, optionally with
// a default of its own:
//
//   Publish<TControl>().Int("Left", …).Offering().Enum("Align", …, alNone)…
//   Publish<TPanel>().Publish("Align", "Anchors").Publish("Color").Default(clBlack)
//       .PublishEvents(kMouseEvents, "OnClick")   // events in alphabetical order
//
// A form class publishes the methods its events may name:
//   .Method("BtSaveClick", &TForm1::BtSaveClick)
#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "host/base/EnumInfo.h"
#include "host/base/Sets.h"
#include "host/classes/Classes.h"
#include "host/classes/Strings.h"

namespace host {

enum TTypeKind : uint8_t {
  tkInteger,      // Integer (int32)
  tkCardinal,     // Cardinal (uint32)
  tkBoolean,      // bool
  tkEnumeration,  // a HOST_ENUM enumeration
  tkSet,          // TSet of a HOST_ENUM enumeration
  tkColor,        // TColor: written as a colour name where one exists
  tkFloat,        // double
  tkString,       // std::string
  tkStrings,      // a TStrings the object owns; the setter copies (Assign)
  tkClass,        // a persistent sub-object the object owns, streamed as Prop.Sub = …
  tkComponent,    // a reference to another component, streamed by name
  tkMethod,       // an event, streamed by the name of a published method of the form
  tkBinary,       // opaque bytes (bitmap and picture data), streamed as { hex }
};

// One published property. Only the accessors of its kind are set: ordinal
// kinds (integer, cardinal, boolean, enumeration, set bits, colour) go
// through GetOrd/SetOrd, the others through their own pair.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  const TEnumInfo* EnumType = nullptr;       // enumeration values, or set elements
  TClass PropClass = nullptr;                // sub-object class, or referenced class
  std::type_index EventType = typeid(void);  // the TEvent<…> type of an event

  bool HasDefault = false;  // false: always stored
  int64_t OrdDefault = 0;
  double FloatDefault = 0;
  std::string StrDefault;
  bool Stored = true;                      // false: never written (the component Name)
  bool ReadLast = false;                   // applied after the object's other properties
  std::function<bool(TObject*)> StoredIf;  // when set, written only while it holds

  std::function<int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;  // strings; an event's method name
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObject;        // string list, sub-object, reference
  std::function<void(TObject*, TObject*)> SetObject;  // nullptr for a read-only sub-object
  std::function<void*(TObject*)> EventField;          // the TEvent<…> of an event
  std::function<std::vector<uint8_t>(TObject*)> GetBinary;
  std::function<void(TObject*, std::span<const uint8_t>)> SetBinary;

  bool IsOrdinal() const { return Kind <= tkColor; }
  // True when the value of obj must be written: Stored, and for a property
  // with a declared default, differing from it; strings lists, references,
  // events and binary data are written when not empty.
  bool IsStoredValue(TObject* obj) const;
};

// One published method of a form, bindable to events of its signature.
struct TMethodInfo {
  std::string Name;
  std::type_index EventType = typeid(void);
  // Assigns to *eventField (a TEvent of EventType) a closure calling the
  // method on root, named after the method.
  std::function<void(TObject* root, void* eventField)> Bind;
};

// A parameterless method a class offers to scripts (Click, SetFocus …).
struct TCallInfo {
  std::string Name;
  std::function<void(TObject*)> Invoke;
};

// The published table of one class.
class TPublished {
 public:
  const std::vector<TPropInfo>& Properties() const { return props_; }
  const std::vector<TMethodInfo>& Methods() const { return methods_; }
  // Declared for descendants to publish; not read or written.
  const std::vector<TPropInfo>& Offered() const { return offered_; }
  // Lookups by name, without regard to case; nullptr when absent.
  const TPropInfo* Find(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TCallInfo* FindCall(std::string_view name) const;

 private:
  template <class T>
  friend class TPublishBuilder;
  void Put(TPropInfo info);
  void Hide(std::string_view name);
  TPropInfo* FindMutable(std::string_view name);
  void PutMethod(TMethodInfo info);
  void PutCall(TCallInfo info);
  void Offer(TPropInfo info);
  // Moves an offered entry, or an inherited published one, to the end of
  // the published list; false when there is neither.
  bool PublishInherited(std::string_view name);
  void Index();

  std::vector<TPropInfo> props_;
  std::vector<TPropInfo> offered_;
  std::vector<TMethodInfo> methods_;
  std::vector<TCallInfo> calls_;                          // few: looked up by a scan
  std::unordered_map<std::string, size_t> prop_index_;    // lower-case name → position
  std::unordered_map<std::string, size_t> method_index_;  // lower-case name → position
};

// The table of a class (its own or the nearest ancestor's); nullptr if none.
inline const TPublished* PublishedOfClass(TClass cls) {
  return cls && cls->Published ? cls->Published() : nullptr;
}
// A property of obj's class by name, or nullptr.
const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name);

namespace typinfo_detail {

template <class T, class G>
decltype(auto) Get(const G& getter, TObject* obj) {
  return std::invoke(getter, static_cast<T*>(obj));
}

template <class T, class S, class V>
void Put(const S& setter, TObject* obj, V&& value) {
  if constexpr (std::is_member_object_pointer_v<S>)
    static_cast<T*>(obj)->*setter = std::forward<V>(value);
  else
    std::invoke(setter, static_cast<T*>(obj), std::forward<V>(value));
}

template <class T, class G>
using GetResult = std::remove_cvref_t<std::invoke_result_t<const G&, T*>>;

template <class S>
struct SetElement;
template <class E>
struct SetElement<TSet<E>> {
  using type = E;
};

template <class Ev>
struct EventArgs;
template <class... A>
struct EventArgs<TEvent<A...>> {
  template <class Root>
  using Method = void (Root::*)(A...);
};

}  // namespace typinfo_detail

template <class T>
class TPublishBuilder {
 public:
  TPublishBuilder() {
    if constexpr (!std::is_same_v<T, TObject>) {
      if (const TPublished* parent = PublishedOf<typename T::inherited>()) table_ = *parent;
    }
  }

  // Integer (32-bit signed) properties.
  template <class G, class S>
  TPublishBuilder& Int(std::string name, G get, S set) {
    return Ordinal<Integer>(std::move(name), tkInteger, get, set, nullptr);
  }
  template <class G, class S>
  TPublishBuilder& Int(std::string name, G get, S set, Integer def) {
    return Ordinal<Integer>(std::move(name), tkInteger, get, set, nullptr).Default(def);
  }
  // Cardinal (32-bit unsigned) properties.
  template <class G, class S>
  TPublishBuilder& Card(std::string name, G get, S set) {
    return Ordinal<Cardinal>(std::move(name), tkCardinal, get, set, nullptr);
  }
  template <class G, class S>
  TPublishBuilder& Card(std::string name, G get, S set, Cardinal def) {
    return Ordinal<Cardinal>(std::move(name), tkCardinal, get, set, nullptr).Default(def);
  }
  template <class G, class S>
  TPublishBuilder& Bool(std::string name, G get, S set) {
    return Ordinal<bool>(std::move(name), tkBoolean, get, set, nullptr);
  }
  template <class G, class S>
  TPublishBuilder& Bool(std::string name, G get, S set, bool def) {
    return Ordinal<bool>(std::move(name), tkBoolean, get, set, nullptr).Default(def);
  }
  template <class G, class S>
  TPublishBuilder& Color(std::string name, G get, S set) {
    return Ordinal<TColor>(std::move(name), tkColor, get, set, nullptr);
  }
  template <class G, class S>
  TPublishBuilder& Color(std::string name, G get, S set, TColor def) {
    return Ordinal<TColor>(std::move(name), tkColor, get, set, nullptr).Default(def);
  }
  // An enumeration declared with HOST_ENUM; the type comes from the getter.
  template <class G, class S>
  TPublishBuilder& Enum(std::string name, G get, S set) {
    using E = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_enum_v<E>, "Enum: the getter must return an enumeration");
    return Ordinal<E>(std::move(name), tkEnumeration, get, set, &EnumInfoOf(E{}));
  }
  template <class G, class S, class E>
  TPublishBuilder& Enum(std::string name, G get, S set, E def) {
    static_assert(std::is_same_v<E, typinfo_detail::GetResult<T, G>>,
                  "Enum: the default must be of the property's enumeration");
    return Enum(std::move(name), get, set).Default(static_cast<int64_t>(def));
  }
  // A TSet of a HOST_ENUM enumeration; the type comes from the getter.
  template <class G, class S>
  TPublishBuilder& Set(std::string name, G get, S set) {
    using SetT = typinfo_detail::GetResult<T, G>;
    using E = typename typinfo_detail::SetElement<SetT>::type;
    TPropInfo p = Base(std::move(name), tkSet);
    p.EnumType = &EnumInfoOf(E{});
    p.GetOrd = [get](TObject* o) {
      return static_cast<int64_t>(SetT(typinfo_detail::Get<T>(get, o)).Bits());
    };
    p.SetOrd = [set](TObject* o, int64_t v) {
      typinfo_detail::Put<T>(set, o, SetT::FromBits(static_cast<uint64_t>(v)));
    };
    return Add(std::move(p));
  }
  template <class G, class S, class E>
  TPublishBuilder& Set(std::string name, G get, S set, TSet<E> def) {
    return Set(std::move(name), get, set).Default(static_cast<int64_t>(def.Bits()));
  }
  template <class G, class S>
  TPublishBuilder& Float(std::string name, G get, S set) {
    TPropInfo p = Base(std::move(name), tkFloat);
    p.GetFloat = [get](TObject* o) { return static_cast<double>(typinfo_detail::Get<T>(get, o)); };
    p.SetFloat = [set](TObject* o, double v) { typinfo_detail::Put<T>(set, o, v); };
    return Add(std::move(p));
  }
  template <class G, class S>
  TPublishBuilder& Float(std::string name, G get, S set, double def) {
    Float(std::move(name), get, set);
    last().HasDefault = true;
    last().FloatDefault = def;
    return *this;
  }
  template <class G, class S>
  TPublishBuilder& String(std::string name, G get, S set) {
    TPropInfo p = Base(std::move(name), tkString);
    p.GetStr = [get](TObject* o) { return std::string(typinfo_detail::Get<T>(get, o)); };
    p.SetStr = [set](TObject* o, const std::string& v) { typinfo_detail::Put<T>(set, o, v); };
    return Add(std::move(p));
  }
  template <class G, class S>
  TPublishBuilder& String(std::string name, G get, S set, std::string def) {
    String(std::move(name), get, set);
    last().HasDefault = true;
    last().StrDefault = std::move(def);
    return *this;
  }
  // A string list the object owns: the getter returns it, the setter copies
  // the given list into it.
  template <class G, class S>
  TPublishBuilder& Strings(std::string name, G get, S set) {
    TPropInfo p = Base(std::move(name), tkStrings);
    p.PropClass = TStrings::StaticClass();
    p.GetObject = [get](TObject* o) -> TObject* {
      return static_cast<TStrings*>(typinfo_detail::Get<T>(get, o));
    };
    p.SetObject = [set](TObject* o, TObject* v) {
      typinfo_detail::Put<T>(set, o, static_cast<TStrings*>(v));
    };
    return Add(std::move(p));
  }
  // A persistent sub-object the object owns (bevel, palette, font, bitmap).
  // The setter (optional: pass nullptr) copies the values in with Assign.
  template <class G, class S>
  TPublishBuilder& Object(std::string name, G get, S set) {
    using Ptr = typinfo_detail::GetResult<T, G>;
    using U = std::remove_cv_t<std::remove_pointer_t<Ptr>>;
    static_assert(std::is_base_of_v<TPersistent, U>,
                  "Object: the getter must return a TPersistent*");
    TPropInfo p = Base(std::move(name), tkClass);
    p.PropClass = U::StaticClass();
    p.GetObject = [get](TObject* o) -> TObject* {
      return const_cast<U*>(typinfo_detail::Get<T>(get, o));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetObject = [set](TObject* o, TObject* v) {
        typinfo_detail::Put<T>(set, o, static_cast<U*>(v));
      };
    return Add(std::move(p));
  }
  // A reference to another component, stored by name.
  template <class G, class S>
  TPublishBuilder& Component(std::string name, G get, S set) {
    using Ptr = typinfo_detail::GetResult<T, G>;
    using U = std::remove_cv_t<std::remove_pointer_t<Ptr>>;
    static_assert(std::is_base_of_v<TComponent, U>,
                  "Component: the getter must return a TComponent*");
    TPropInfo p = Base(std::move(name), tkComponent);
    p.PropClass = U::StaticClass();
    p.GetObject = [get](TObject* o) -> TObject* {
      return const_cast<U*>(typinfo_detail::Get<T>(get, o));
    };
    p.SetObject = [set](TObject* o, TObject* v) {
      typinfo_detail::Put<T>(set, o, static_cast<U*>(v));
    };
    return Add(std::move(p));
  }
  // An event: a TEvent<…> data member of T (or of a base class of T, so
  // that a class can publish an event its ancestor keeps protected).
  template <class Ev, class B>
  requires std::is_base_of_v<B, T> TPublishBuilder& Event(std::string name, Ev B::*field) {
    TPropInfo p = Base(std::move(name), tkMethod);
    p.EventType = typeid(Ev);
    p.EventField = [field](TObject* o) -> void* { return &(static_cast<T*>(o)->*field); };
    p.GetStr = [field](TObject* o) { return (static_cast<T*>(o)->*field).MethodName(); };
    // A name alone makes an unbound handler that keeps its name, so a form
    // read without the method is written back as it was; "" clears.
    p.SetStr = [field](TObject* o, const std::string& method) {
      static_cast<T*>(o)->*field = Ev().Named(method);
    };
    return Add(std::move(p));
  }
  // Opaque bytes (the data of a bitmap or picture): the getter returns them
  // (empty: nothing to store), the setter takes them back.
  template <class G, class S>
  TPublishBuilder& Binary(std::string name, G get, S set) {
    TPropInfo p = Base(std::move(name), tkBinary);
    p.GetBinary = [get](TObject* o) {
      return std::vector<uint8_t>(typinfo_detail::Get<T>(get, o));
    };
    p.SetBinary = [set](TObject* o, std::span<const uint8_t> v) {
      typinfo_detail::Put<T>(set, o, v);
    };
    return Add(std::move(p));
  }

  // A published method of a form, for events of the matching signature.
  template <class... A>
  TPublishBuilder& Method(std::string name, void (T::*method)(A...)) {
    using Ev = TEvent<A...>;
    TMethodInfo m;
    m.Name = name;
    m.EventType = typeid(Ev);
    m.Bind = [method, name](TObject* root, void* field) {
      *static_cast<Ev*>(field) = Ev(static_cast<T*>(root), method).Named(name);
    };
    table_.PutMethod(std::move(m));
    return *this;
  }

  // A parameterless method scripts may call; a descendant's entry of the
  // same name replaces it.
  TPublishBuilder& Call(std::string name, void (T::*method)()) {
    table_.PutCall({std::move(name), [method](TObject* o) { (static_cast<T*>(o)->*method)(); }});
    return *this;
  }

  // Everything declared after this is offered to descendants, not published.
  TPublishBuilder& Offering() {
    offering_ = true;
    return *this;
  }
  // Publishes offered (or moves inherited published) entries at the current
  // place, in the given order. Each argument is a name or a group of names.
  template <class... N>
  TPublishBuilder& Publish(const N&... names) {
    (PublishEach(names), ...);
    return *this;
  }
  // Publishes events (names or groups) in alphabetical order, the order the
  // form files of the host framework list them in.
  template <class... N>
  TPublishBuilder& PublishEvents(const N&... names) {
    std::vector<std::string_view> sorted;
    (Collect(sorted, names), ...);
    std::sort(sorted.begin(), sorted.end());
    for (std::string_view name : sorted) PublishEach(name);
    return *this;
  }

  // Modifiers of the entry declared or published last.
  // Its declared default (an ordinal property's).
  template <class V>
  TPublishBuilder& Default(V def) {
    last().HasDefault = true;
    if constexpr (requires { def.Bits(); })
      last().OrdDefault = static_cast<int64_t>(def.Bits());
    else
      last().OrdDefault = static_cast<int64_t>(def);
    return *this;
  }
  // Always stored: no declared default.
  TPublishBuilder& NoDefault() {
    last().HasDefault = false;
    return *this;
  }
  // Written whenever it differs from its default, whatever condition the
  // declaring class gave.
  TPublishBuilder& StoredUnlessDefault() {
    last().StoredIf = nullptr;
    return *this;
  }
  // Applies it after the object's other properties (e.g. a value whose range
  // is given by properties declared after it).
  TPublishBuilder& ReadLast() {
    last().ReadLast = true;
    return *this;
  }
  // Written only while the object's predicate holds (a colour or font that
  // follows the parent's is not stored).
  TPublishBuilder& StoredWhen(bool (T::*predicate)() const) {
    last().StoredIf = [predicate](TObject* obj) { return (static_cast<T*>(obj)->*predicate)(); };
    return *this;
  }
  // Never written (still readable and shown).
  TPublishBuilder& NotStored() {
    last().Stored = false;
    return *this;
  }

  // Changes to inherited entries.
  TPublishBuilder& Hide(std::string_view name) {
    table_.Hide(name);
    return *this;
  }
  TPublishBuilder& SetDefault(std::string_view name, int64_t def) {
    TPropInfo& p = Existing(name);
    p.HasDefault = true;
    p.OrdDefault = def;
    return *this;
  }
  // A string property's: a descendant whose constructor sets another text.
  TPublishBuilder& SetDefault(std::string_view name, std::string def) {
    TPropInfo& p = Existing(name);
    p.HasDefault = true;
    p.StrDefault = std::move(def);
    return *this;
  }
  TPublishBuilder& NoDefault(std::string_view name) {
    Existing(name).HasDefault = false;
    return *this;
  }

  operator TPublished() {
    table_.Index();
    return table_;
  }

 private:
  TPropInfo Base(std::string name, TTypeKind kind) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    return p;
  }
  template <class V, class G, class S>
  TPublishBuilder& Ordinal(std::string name, TTypeKind kind, G get, S set, const TEnumInfo* info) {
    static_assert(std::is_convertible_v<typinfo_detail::GetResult<T, G>, V>,
                  "the getter returns a value of another type");
    TPropInfo p = Base(std::move(name), kind);
    p.EnumType = info;
    p.GetOrd = [get](TObject* o) {
      return static_cast<int64_t>(static_cast<V>(typinfo_detail::Get<T>(get, o)));
    };
    p.SetOrd = [set](TObject* o, int64_t v) { typinfo_detail::Put<T>(set, o, static_cast<V>(v)); };
    return Add(std::move(p));
  }
  TPublishBuilder& Add(TPropInfo p) {
    if (offering_)
      table_.Offer(std::move(p));
    else
      table_.Put(std::move(p));
    last_offered_ = offering_;
    return *this;
  }
  void PublishEach(std::string_view name) {
    if (!table_.PublishInherited(name))
      throw EInvalidOperation("No offered property " + std::string(name) + " to publish");
    last_offered_ = false;
  }
  void PublishEach(std::span<const std::string_view> group) {
    for (std::string_view name : group) PublishEach(name);
  }
  static void Collect(std::vector<std::string_view>& out, std::string_view name) {
    out.push_back(name);
  }
  static void Collect(std::vector<std::string_view>& out, std::span<const std::string_view> group) {
    out.insert(out.end(), group.begin(), group.end());
  }
  TPropInfo& last() { return last_offered_ ? table_.offered_.back() : table_.props_.back(); }
  TPropInfo& Existing(std::string_view name) {
    TPropInfo* p = table_.FindMutable(name);
    if (!p) throw EInvalidOperation("No published property " + std::string(name) + " to change");
    return *p;
  }

  TPublished table_;
  bool offering_ = false;
  bool last_offered_ = false;
};

template <class T>
TPublishBuilder<T> Publish() {
  return TPublishBuilder<T>();
}

}  // namespace host
