#include "kxpack/foundations/KxCollection.h"

namespace kx {

// --- TKxCollectionItem ------------------------------------------------------------

TKxCollectionItem::TKxCollectionItem(TKxCollection* Collection) { SetCollection(Collection); }

TKxCollectionItem::~TKxCollectionItem() { SetCollection(nullptr); }

void TKxCollectionItem::SetCollection(TKxCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

void TKxCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// --- TKxCollection ---------------------------------------------------------------

TKxCollection::TKxCollection() : FList(std::make_unique<host::TList>()) {}

TKxCollection::~TKxCollection() {
  // Items going away with the collection issue no Update.
  FUpdateCount = 1;
  Clear();
}

TKxCollectionItem* TKxCollection::GetItem(host::Integer Index) const {
  return static_cast<TKxCollectionItem*>(FList->Items(Index));
}

void TKxCollection::InsertItem(TKxCollectionItem* Item) {
  Item->FIndex = FList->Add(Item);
  Item->FCollection = this;
}

void TKxCollection::RemoveItem(TKxCollectionItem* Item) {
  FList->Remove(Item);
  Item->FCollection = nullptr;
}

void TKxCollection::Clear() {
  if (FList->Count() == 0) return;
  BeginUpdate();
  // Each item's destructor takes it out of the list (destructors do not throw).
  while (FList->Count() > 0) static_cast<TKxCollectionItem*>(FList->Last())->Free();
  EndUpdate();
}

void TKxCollection::BeginUpdate() { ++FUpdateCount; }

void TKxCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TKxCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TKxCollection::Update(TKxCollectionItem*) {}

}  // namespace kx
