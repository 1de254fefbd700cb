// Streams for record tests: a memory stream over a copy of given bytes, the
// bytes a writer produced, and a stream whose writes fail after a budget.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "effectfile/MemoryStream.h"

namespace tavrix::test {

using Bytes = std::vector<uint8_t>;

// The stream owns (and frees) its copy of the bytes.
class ByteReader {
 public:
  explicit ByteReader(const Bytes& bytes)
      : stream(Copy(bytes), static_cast<int32_t>(bytes.size())) {}
  MemoryStream stream;

 private:
  static uint8_t* Copy(const Bytes& bytes) {
    auto* copy = static_cast<uint8_t*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    return copy;
  }
};

class ByteWriter {
 public:
  ByteWriter() : stream(nullptr, 0) { stream.CreateEmpty(); }
  Bytes Take() {
    const int32_t size = stream.GetSize();
    stream.Seek(0, 0);
    Bytes bytes(static_cast<size_t>(size));
    if (size > 0) stream.Read(bytes.data(), 1, static_cast<uint32_t>(size));
    return bytes;
  }
  MemoryStream stream;
};

// Accepts writes until budget bytes are used up; reads always fail.
class BudgetStream final : public IDataStream {
 public:
  explicit BudgetStream(uint32_t budget) : budget_(budget) {}
  bool Close() override { return true; }
  uint32_t Read(void*, uint32_t, uint32_t) override { return 0; }
  uint32_t Write(const void*, uint32_t size, uint32_t count) override {
    const uint64_t n = static_cast<uint64_t>(size) * count;
    if (n == 0 || n > budget_) return 0;
    budget_ -= static_cast<uint32_t>(n);
    return count;
  }
  bool Seek(int32_t, int32_t) override { return false; }
  int32_t Tell() override { return 0; }
  int32_t GetSize() override { return 0; }
  bool IsOpen() override { return true; }
  bool IsEof() override { return true; }
  int32_t IsPastEnd() override { return 0; }
  bool PutByte(uint8_t) override { return false; }
  int32_t GetByte() override { return -1; }

 private:
  uint32_t budget_;
};

}  // namespace tavrix::test
