#pragma once
// The root classes of the host framework: TObject with its class information,
// TPersistent, events (method closures) and TComponent with ownership,
// names, component state and free notifications.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/base/Sets.h"
#include "host/base/SysUtils.h"
#include "host/base/Types.h"

namespace host {

class TObject;
class TComponent;
class TPublished;  // host/classes/TypInfo.h

// Class information: what the host calls a class reference (TClass).
struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
  // The published properties and methods of the class (its own table or the
  // nearest ancestor's); nullptr when no class up the chain declares one.
  const TPublished* (*Published)();
};
using TClass = const TClassInfo*;

// The table of T::PublishedProperties(), if T (or an ancestor) declares one.
template <class T>
const TPublished* PublishedOf() {
  if constexpr (requires { T::PublishedProperties(); })
    return &T::PublishedProperties();
  else
    return nullptr;
}

// Declares the class information of Self, whose parent class is Parent, and
// the `inherited` alias. Put it first in the class body.
#define HOST_CLASS(Self, Parent)                                       \
 public:                                                               \
  using inherited = Parent;                                            \
  static ::host::TClass StaticClass() {                                \
    static const ::host::TClassInfo info{#Self, Parent::StaticClass(), \
                                         &::host::PublishedOf<Self>};  \
    return &info;                                                      \
  }                                                                    \
  ::host::TClass ClassType() const override { return StaticClass(); }  \
                                                                       \
 private:

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass() {
    static const TClassInfo info{"TObject", nullptr, nullptr};
    return &info;
  }
  virtual TClass ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  // The published properties of the object's class; nullptr when it has none.
  const TPublished* Published() const;
  bool InheritsFrom(TClass cls) const;
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClass());
  }

  // Destroys the object; components override the order of destruction.
  virtual void Free() { delete this; }
};

// Checked downcast by class information: nullptr when obj is not a T.
template <class T>
T* As(TObject* obj) {
  return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}

// Frees the object and clears the reference.
template <class T>
void FreeAndNil(T*& obj) {
  T* tmp = obj;
  obj = nullptr;
  if (tmp) tmp->Free();
}

// A method closure. It may also carry the name of the published method of
// the form that it is bound to, which is what form files store.
template <class... Args>
class TEvent {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class F, class = std::enable_if_t<std::is_invocable_v<F&, Args...>>>
  TEvent(F f) : call_(std::move(f)) {}
  template <class Obj, class Base>
  TEvent(Obj* obj, void (Base::*method)(Args...))
      : call_([obj, method](Args... a) { (obj->*method)(std::forward<Args>(a)...); }), data_(obj) {}

  explicit operator bool() const { return static_cast<bool>(call_); }
  void operator()(Args... a) const { call_(std::forward<Args>(a)...); }

  // The object the closure calls into, when bound to a method.
  TObject* Data() const { return data_; }
  const std::string& MethodName() const { return method_name_; }
  TEvent& Named(std::string name) {
    method_name_ = std::move(name);
    return *this;
  }

 private:
  std::function<void(Args...)> call_;
  TObject* data_ = nullptr;
  std::string method_name_;
};

using TNotifyEvent = TEvent<TObject*>;

// An object that can copy its values from another (Assign) and be streamed.
class TPersistent : public TObject {
  HOST_CLASS(TPersistent, TObject)
 public:
  // Copies Source's values; raises EConvertError "Cannot assign a X to a Y"
  // when neither side knows how.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  HOST_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  // Marks the component csDestroying, tells those that asked to be notified,
  // then deletes it (which frees what it owns).
  void Free() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return name_; }
  // A valid identifier (or empty), unique among the owner's components;
  // else EComponentError.
  virtual void SetName(const std::string& value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }

  TComponentState ComponentState() const { return state_; }

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  // AComponent is told (Notification with opRemove) when this one goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The published properties every component has: Name (kept in the object
  // header of a form file, not stored as a property) and Tag.
  static const TPublished& PublishedProperties();

  // Streaming: calls proc for each component that a form file nests directly
  // under this one, in creation order. For the root, the default lists the
  // components it owns that have no parent component; windowed controls
  // override it to list their child controls owned by root.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  // The component this one is nested under in a form file (a control's
  // parent), or nullptr; the reader hands it over with SetParentComponent.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*parent*/) {}
  bool HasParent() const { return GetParentComponent() != nullptr; }

  // Sets or clears csDesigning on this component and everything it owns.
  void SetDesigning(bool value, bool setChildren = true);
  // Streaming enters the loading state (csLoading + csReading) and, once
  // every property is read, leaves csReading; Loaded then clears csLoading.
  void SetLoadingState(bool loading);
  // Leaves the loading state without Loaded (a read that failed).
  void ClearLoadingState() { state_ -= TComponentState{csLoading, csReading}; }
  virtual void Loaded();
  // Called on the root of a read once every component read has had Loaded:
  // what must wait for the whole form (a form read as visible shows here).
  virtual void FinishedReading() {}

 protected:
  // Passes the news to the owned components. On opRemove it also clears
  // every published component reference of this component that points at
  // AComponent, so a form never keeps a reference to a freed component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void Destroying();
  void IncludeState(TComponentStateFlag f) { state_.Include(f); }
  void ExcludeState(TComponentStateFlag f) { state_.Exclude(f); }

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void Index(TComponent* AComponent);
  void Unindex(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void ClearReferencesTo(TComponent* AComponent);
  void ValidateRename(TComponent* AComponent, const std::string& curName,
                      const std::string& newName) const;

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::unordered_map<std::string, TComponent*> names_;  // owned ones by lower-case name
  std::vector<TComponent*> free_notifies_;
  std::string name_;
  int32_t tag_ = 0;
  TComponentState state_;
};

bool IsValidIdent(std::string_view ident);

}  // namespace host
