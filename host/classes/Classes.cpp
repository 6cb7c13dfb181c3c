#include "host/classes/Classes.h"

#include <algorithm>

#include "host/classes/TypInfo.h"

namespace host {

bool TObject::InheritsFrom(TClass cls) const {
  for (TClass c = ClassType(); c; c = c->Parent)
    if (c == cls) return true;
  return false;
}

// --- TPersistent ----------------------------------------------------------

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const std::string source = Source ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + source + " to a " + ClassName());
}

// --- TComponent -----------------------------------------------------------

bool IsValidIdent(std::string_view ident) {
  if (ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(ident[0])) return false;
  return std::all_of(ident.begin() + 1, ident.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who asked; each one removes itself from our list.
  while (!free_notifies_.empty()) {
    TComponent* other = free_notifies_.back();
    free_notifies_.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free() {
  Destroying();
  delete this;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(Format("List index out of bounds (%d)", index));
  return components_[index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  auto it = names_.find(LowerCase(name));
  return it == names_.end() ? nullptr : it->second;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& curName,
                                const std::string& newName) const {
  if (!newName.empty() && !SameText(curName, newName)) {
    TComponent* found = FindComponent(newName);
    if (found && found != AComponent)
      throw EComponentError("A component named " + newName + " already exists");
  }
}

void TComponent::SetName(const std::string& value) {
  if (name_ == value) return;
  if (!value.empty() && !IsValidIdent(value))
    throw EComponentError("'" + value + "' is not a valid component name");
  if (owner_) {
    owner_->ValidateRename(this, name_, value);
    owner_->Unindex(this);
  }
  name_ = value;
  if (owner_) owner_->Index(this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  ValidateRename(AComponent, "", AComponent->name_);
  Insert(AComponent);
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  Index(AComponent);
}

void TComponent::Remove(TComponent* AComponent) {
  // Components usually go last-first (DestroyComponents), so search from the end.
  auto it = std::find(components_.rbegin(), components_.rend(), AComponent);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  Unindex(AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::Index(TComponent* AComponent) {
  if (!AComponent->name_.empty()) names_[LowerCase(AComponent->name_)] = AComponent;
}

void TComponent::Unindex(TComponent* AComponent) {
  if (AComponent->name_.empty()) return;
  auto it = names_.find(LowerCase(AComponent->name_));
  if (it != names_.end() && it->second == AComponent) names_.erase(it);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    c->Free();
  }
}

void TComponent::Destroying() { state_.Include(csDestroying); }

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (owner_ && AComponent->owner_ == owner_) return;  // the owner tells siblings anyway
  if (std::find(free_notifies_.begin(), free_notifies_.end(), AComponent) == free_notifies_.end()) {
    free_notifies_.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  auto it = std::find(free_notifies_.begin(), free_notifies_.end(), AComponent);
  if (it != free_notifies_.end()) free_notifies_.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) RemoveNotification(AComponent);
  if (state_.Contains(csDestroying)) return;
  if (Operation == opRemove) ClearReferencesTo(AComponent);
  for (size_t i = 0; i < components_.size(); ++i)
    components_[i]->Notification(AComponent, Operation);
}

void TComponent::ClearReferencesTo(TComponent* AComponent) {
  const TPublished* table = Published();
  if (!table) return;
  for (const TPropInfo& p : table->Properties())
    if (p.Kind == tkComponent && p.GetObject(this) == AComponent) p.SetObject(this, nullptr);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (size_t i = 0; i < components_.size(); ++i)
    if (!components_[i]->HasParent()) proc(components_[i]);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::SetLoadingState(bool loading) {
  if (loading) {
    state_.Include(csLoading);
    state_.Include(csReading);
  } else {
    state_.Exclude(csReading);
  }
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

}  // namespace host
