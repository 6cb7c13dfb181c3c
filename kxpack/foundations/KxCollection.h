#pragma once
// TKxCollection and TKxCollectionItem: an owned list of items that reports
// item changes to its owner through the virtual Update. Owners rebuild their
// collections from their own published properties; neither class is streamed.
#include <memory>

#include "host/base/Types.h"
#include "host/classes/Classes.h"
#include "host/classes/List.h"

namespace kx {

class TKxCollection;

class TKxCollectionItem : public host::TObject {
  HOST_CLASS(TKxCollectionItem, host::TObject)
 public:
  // Joins Collection (when not nil) as its last item.
  explicit TKxCollectionItem(TKxCollection* Collection);
  // Leaves the collection.
  ~TKxCollectionItem() override;

  TKxCollection* Collection() const { return FCollection; }
  // Moves the item to Value (or out of any collection for nil).
  void SetCollection(TKxCollection* Value);
  // The position the item received when it was added; not renumbered when
  // items before it are removed.
  host::Integer Index() const { return FIndex; }

 protected:
  // Tells the collection (unless it is inside BeginUpdate/EndUpdate) that this
  // item changed, or that all items changed.
  void Changed(bool AllItems);

 private:
  friend class TKxCollection;
  TKxCollection* FCollection = nullptr;
  host::Integer FIndex = 0;
};

class TKxCollection : public host::TObject {
  HOST_CLASS(TKxCollection, host::TObject)
 public:
  TKxCollection();
  // Frees the items without issuing any Update.
  ~TKxCollection() override;

  host::Integer GetCount() const { return FList->Count(); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TKxCollectionItem* GetItem(host::Integer Index) const;
  // Frees every item, with one Update(nil) at the end.
  void Clear();

  virtual void BeginUpdate();
  // Issues Update(nil) when the outermost EndUpdate is reached. An EndUpdate
  // without a BeginUpdate leaves the count at 0.
  virtual void EndUpdate();

 protected:
  // Called when Item changed, or all items for nil; nothing here.
  virtual void Update(TKxCollectionItem* Item);
  // Update(nil) unless inside BeginUpdate/EndUpdate.
  void Changed();

 private:
  friend class TKxCollectionItem;
  // No notification in either; the others keep their FIndex.
  void InsertItem(TKxCollectionItem* Item);
  void RemoveItem(TKxCollectionItem* Item);

  std::unique_ptr<host::TList> FList;
  host::Integer FUpdateCount = 0;
};

}  // namespace kx
