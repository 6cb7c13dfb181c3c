#include "host/classes/Strings.h"

#include <algorithm>

#include "host/classes/List.h"

namespace host {

// --- TStrings -------------------------------------------------------------

int TStrings::AddObject(const std::string& s, TObject* obj) {
  const int index = Count();
  InsertObject(index, s, obj);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  try {
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Strings(i), other.Objects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Strings(i), s)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == obj) return i;
  return -1;
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckListIndex(newIndex, Count());
  const std::string s = Strings(curIndex);
  TObject* obj = Objects(curIndex);
  BeginUpdate();
  Delete(curIndex);
  InsertObject(newIndex, s, obj);
  EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
  if (index1 == index2) return;
  const std::string s1 = Strings(index1);
  TObject* o1 = Objects(index1);
  BeginUpdate();
  SetStrings(index1, Strings(index2));
  SetObjects(index1, Objects(index2));
  SetStrings(index2, s1);
  SetObjects(index2, o1);
  EndUpdate();
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Strings(i);
    out += '\n';
  }
  return out;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      Add(std::string(text.substr(pos)));
      break;
    }
    Add(std::string(text.substr(pos, end - pos)));
    pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += ',';
    const std::string& s = Strings(i);
    const bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos ||
                       static_cast<unsigned char>(s.front()) <= ' ';
    if (!quote) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStrings::SetCommaText(std::string_view text) {
  auto blank = [](char c) { return c > 0 && c <= ' '; };
  BeginUpdate();
  Clear();
  size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  while (i < text.size()) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && !blank(text[i])) item += text[i++];
    }
    Add(item);
    while (i < text.size() && blank(text[i])) ++i;
    if (i < text.size() && text[i] == ',') {
      ++i;
      while (i < text.size() && blank(text[i])) ++i;
      if (i == text.size()) Add("");  // a trailing comma ends with an empty item
    }
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (update_count_ == 0) SetUpdateState(true);
  ++update_count_;
}

void TStrings::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Strings(i) != other.Strings(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = As<TStrings>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(*src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  inherited::Assign(Source);
}

// --- TStringList ----------------------------------------------------------

const std::string& TStringList::Strings(int index) const {
  CheckListIndex(index, Count());
  return items_[index].Text;
}

void TStringList::SetStrings(int index, const std::string& s) {
  CheckUnsorted();
  CheckListIndex(index, Count());
  Changing();
  items_[index].Text = s;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckListIndex(index, Count());
  return items_[index].Object;
}

void TStringList::SetObjects(int index, TObject* obj) {
  CheckListIndex(index, Count());
  Changing();
  items_[index].Object = obj;
  Changed();
}

void TStringList::InsertObject(int index, const std::string& s, TObject* obj) {
  CheckUnsorted();
  CheckListIndex(index, Count() + 1);
  Changing();
  items_.insert(items_.begin() + index, Item{s, obj});
  Changed();
}

void TStringList::Delete(int index) {
  CheckListIndex(index, Count());
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

int TStringList::AddObject(const std::string& s, TObject* obj) {
  if (!sorted_) return TStrings::AddObject(s, obj);
  int index;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  Changing();
  items_.insert(items_.begin() + index, Item{s, obj});
  Changed();
  return index;
}

int TStringList::IndexOf(std::string_view s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Move(int curIndex, int newIndex) {
  CheckUnsorted();
  TStrings::Move(curIndex, newIndex);
}

bool TStringList::Find(std::string_view s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareText(items_[mid].Text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;  // keep going left: the first of equal strings
    }
  }
  index = lo;
  return found;
}

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

}  // namespace host
