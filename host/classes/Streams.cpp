#include "host/classes/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/base/FileContents.h"

namespace host {

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::vector<uint8_t> TStream::ReadRemaining() {
  const int64_t left = std::max<int64_t>(Size() - Position(), 0);
  std::vector<uint8_t> out(static_cast<size_t>(left));
  ReadBuffer(out.data(), left);
  return out;
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
  int64_t left = count;
  while (left > 0) {
    const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  const int64_t n = std::clamp<int64_t>(static_cast<int64_t>(data_.size()) - pos_, 0,
                                        std::max<int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (pos_ + count > static_cast<int64_t>(data_.size()))
    data_.resize(static_cast<size_t>(pos_ + count));
  std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
  pos_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == soBeginning ? 0
                       : origin == soCurrent ? pos_
                                             : static_cast<int64_t>(data_.size());
  pos_ = std::max<int64_t>(base + offset, 0);
  return pos_;
}

void TMemoryStream::Clear() {
  data_.clear();
  pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  const std::string bytes = ReadFileContents(fileName);
  data_.assign(bytes.begin(), bytes.end());
  pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : file_name_(fileName) {
  file_ = std::fopen(fileName.c_str(), mode == fmCreate ? "w+b" : "rb");
  if (!file_) throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  return count > 0 ? static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_))
                   : 0;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  return count > 0 ? static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_))
                   : 0;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  std::fseek(file_, static_cast<long>(offset), whence);
  return std::ftell(file_);
}

}  // namespace host
