#include "host/classes/List.h"

#include <algorithm>

namespace host {

void CheckListIndex(int index, int count) {
  if (index < 0 || index >= count) throw EListError(Format("List index out of bounds (%d)", index));
}

void* TList::Items(int index) const {
  CheckListIndex(index, Count());
  return items_[index];
}

void TList::SetItems(int index, void* item) {
  CheckListIndex(index, Count());
  items_[index] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  CheckListIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  CheckListIndex(index, Count());
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckListIndex(curIndex, Count());
  CheckListIndex(newIndex, Count());
  void* item = items_[curIndex];
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Exchange(int index1, int index2) {
  CheckListIndex(index1, Count());
  CheckListIndex(index2, Count());
  std::swap(items_[index1], items_[index2]);
}

}  // namespace host
