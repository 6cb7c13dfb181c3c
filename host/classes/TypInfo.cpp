#include "host/classes/TypInfo.h"

#include <algorithm>

namespace host {

bool TPropInfo::IsStoredValue(TObject* obj) const {
  if (!Stored || (StoredIf && !StoredIf(obj))) return false;
  switch (Kind) {
    case tkFloat:
      return !HasDefault || GetFloat(obj) != FloatDefault;
    case tkString:
      return !HasDefault || GetStr(obj) != StrDefault;
    case tkStrings: {
      const auto* list = static_cast<TStrings*>(GetObject(obj));
      return list && list->Count() > 0;
    }
    case tkClass:
      return GetObject(obj) != nullptr;
    case tkComponent:
      return GetObject(obj) != nullptr;
    case tkMethod:
      return !GetStr(obj).empty();
    case tkBinary:
      return !GetBinary(obj).empty();
    default:
      return !HasDefault || GetOrd(obj) != OrdDefault;
  }
}

const TPropInfo* TPublished::Find(std::string_view name) const {
  auto it = prop_index_.find(LowerCase(name));
  return it == prop_index_.end() ? nullptr : &props_[it->second];
}

const TMethodInfo* TPublished::FindMethod(std::string_view name) const {
  auto it = method_index_.find(LowerCase(name));
  return it == method_index_.end() ? nullptr : &methods_[it->second];
}

const TCallInfo* TPublished::FindCall(std::string_view name) const {
  for (const TCallInfo& c : calls_)
    if (SameText(c.Name, name)) return &c;
  return nullptr;
}

TPropInfo* TPublished::FindMutable(std::string_view name) {
  auto it = std::find_if(props_.begin(), props_.end(),
                         [&](const TPropInfo& p) { return SameText(p.Name, name); });
  return it == props_.end() ? nullptr : &*it;
}

void TPublished::Put(TPropInfo info) {
  // A class's own declaration supersedes what an ancestor offered.
  std::erase_if(offered_, [&](const TPropInfo& p) { return SameText(p.Name, info.Name); });
  Hide(info.Name);
  props_.push_back(std::move(info));
}

void TPublished::Hide(std::string_view name) {
  std::erase_if(props_, [&](const TPropInfo& p) { return SameText(p.Name, name); });
}

void TPublished::Offer(TPropInfo info) {
  std::erase_if(offered_, [&](const TPropInfo& p) { return SameText(p.Name, info.Name); });
  offered_.push_back(std::move(info));
}

bool TPublished::PublishInherited(std::string_view name) {
  auto same = [&](const TPropInfo& p) { return SameText(p.Name, name); };
  if (auto it = std::find_if(offered_.begin(), offered_.end(), same); it != offered_.end()) {
    TPropInfo info = std::move(*it);
    offered_.erase(it);
    Put(std::move(info));
    return true;
  }
  if (const TPropInfo* p = FindMutable(name)) {
    TPropInfo info = *p;
    Put(std::move(info));
    return true;
  }
  return false;
}

void TPublished::PutMethod(TMethodInfo info) {
  std::erase_if(methods_, [&](const TMethodInfo& m) { return SameText(m.Name, info.Name); });
  methods_.push_back(std::move(info));
}

void TPublished::PutCall(TCallInfo info) {
  std::erase_if(calls_, [&](const TCallInfo& c) { return SameText(c.Name, info.Name); });
  calls_.push_back(std::move(info));
}

void TPublished::Index() {
  prop_index_.clear();
  method_index_.clear();
  for (size_t i = 0; i < props_.size(); ++i) prop_index_[LowerCase(props_[i].Name)] = i;
  for (size_t i = 0; i < methods_.size(); ++i) method_index_[LowerCase(methods_[i].Name)] = i;
}

const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name) {
  const TPublished* table = obj ? obj->Published() : nullptr;
  return table ? table->Find(name) : nullptr;
}

const TPublished* TObject::Published() const { return PublishedOfClass(ClassType()); }

const TPublished& TComponent::PublishedProperties() {
  static const TPublished table = Publish<TComponent>()
                                      .String("Name", &TComponent::Name, &TComponent::SetName)
                                      .NotStored()
                                      .Int("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
  return table;
}

}  // namespace host
