#pragma once
// TList: an ordered list of untyped pointers, the host's general container.
#include <vector>

#include "host/classes/Classes.h"

namespace host {

class TList : public TObject {
  HOST_CLASS(TList, TObject)
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  void* Items(int index) const;
  void SetItems(int index, void* item);
  int Add(void* item);
  void Insert(int index, void* item);  // index may be Count (append)
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  int IndexOf(const void* item) const;
  void Move(int curIndex, int newIndex);
  void Exchange(int index1, int index2);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void Clear() { items_.clear(); }

 private:
  std::vector<void*> items_;
};

// Raises EListError "List index out of bounds (index)" unless 0 <= index < count.
void CheckListIndex(int index, int count);

}  // namespace host
