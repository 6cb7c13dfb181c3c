#pragma once
// TStrings, the host's list of strings with an object beside each, and
// TStringList, its concrete form (optionally sorted, with change events).
#include <string>
#include <string_view>
#include <vector>

#include "host/classes/Classes.h"

namespace host {

class TStrings : public TPersistent {
  HOST_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  // Raise EListError "List index out of bounds (%d)" outside 0..Count-1.
  virtual const std::string& Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& s) = 0;
  virtual TObject* Objects(int index) const = 0;
  virtual void SetObjects(int index, TObject* obj) = 0;
  // index may be Count (append).
  virtual void InsertObject(int index, const std::string& s, TObject* obj) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // Returns the index the string took.
  virtual int AddObject(const std::string& s, TObject* obj);
  int Add(const std::string& s) { return AddObject(s, nullptr); }
  void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
  void AddStrings(const TStrings& other);
  // Case-insensitive; -1 when absent.
  virtual int IndexOf(std::string_view s) const;
  int IndexOfObject(const TObject* obj) const;
  virtual void Move(int curIndex, int newIndex);
  void Exchange(int index1, int index2);

  // The lines joined with "\n" after each; setting splits at \r\n, \n or \r.
  std::string Text() const;
  void SetText(std::string_view text);
  // Comma-separated; an item with a blank, comma or quote is double-quoted
  // (inner quotes doubled). Reading also splits at blanks outside quotes.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  // Batches changes: OnChange-style notifications wait for the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  bool Equals(const TStrings& other) const;
  void Assign(TPersistent* Source) override;

 protected:
  // Called when the first BeginUpdate starts (true) or the last ends (false).
  virtual void SetUpdateState(bool /*updating*/) {}

 private:
  int update_count_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  HOST_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const override;
  void SetStrings(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* obj) override;
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  int AddObject(const std::string& s, TObject* obj) override;
  int IndexOf(std::string_view s) const override;
  void Move(int curIndex, int newIndex) override;

  // A sorted list keeps its strings in case-insensitive order: Add puts a
  // string in its place, and Insert, Move and SetStrings raise
  // EStringListError "Operation not allowed on sorted list".
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  // What Add does with a string already in a sorted list.
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  // Binary search of a sorted list: true when found; index is where s is or
  // would go.
  bool Find(std::string_view s, int& index) const;
  void Sort();

  // Fire around every change (once per batch inside BeginUpdate/EndUpdate).
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct Item {
    std::string Text;
    TObject* Object = nullptr;
  };
  void Changing();
  void Changed();
  void CheckUnsorted() const;

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace host
