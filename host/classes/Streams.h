#pragma once
// Byte streams: the abstract TStream, an in-memory stream and a file stream.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/classes/Classes.h"

namespace host {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  HOST_CLASS(TStream, TObject)
 public:
  // Reads up to count bytes; returns how many were read.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  int64_t Size();
  // Reads or writes exactly count bytes, else EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Everything from the current position to the end.
  std::vector<uint8_t> ReadRemaining();
  // Copies count bytes from source (all of it from its start when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
  HOST_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> data) : data_(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  const std::vector<uint8_t>& Data() const { return data_; }
  void Clear();
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

enum TFileMode { fmOpenRead, fmCreate };

// Raises EFOpenError "Cannot open file "NAME". REASON" when the file cannot be opened.
class TFileStream : public TStream {
  HOST_CLASS(TFileStream, TStream)
 public:
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  const std::string& FileName() const { return file_name_; }

 private:
  std::FILE* file_ = nullptr;
  std::string file_name_;
};

}  // namespace host
