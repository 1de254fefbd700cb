// A stream over a block of memory: the loader reads deciphered records from
// one, the saver writes into one that grows in 4096-byte steps.
#pragma once

#include <cstdint>

#include "base/DataStream.h"

namespace tavrix {

class MemoryStream final : public IDataStream {
 public:
  MemoryStream(uint8_t* buffer, int32_t length);
  ~MemoryStream();
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  void Attach(uint8_t* buffer, int32_t length);
  bool CreateEmpty();
  uint8_t* TakeBuffer(bool release);
  // False when the heap cannot grow the buffer; the old buffer stays.
  bool Reserve(uint32_t required);

  bool Close() override;
  uint32_t Read(void* destination, uint32_t elementSize, uint32_t elementCount) override;
  uint32_t Write(const void* source, uint32_t elementSize, uint32_t elementCount) override;
  bool Seek(int32_t offset, int32_t origin) override;
  int32_t Tell() override;
  int32_t GetSize() override;
  bool IsOpen() override;
  bool IsEof() override;
  int32_t IsPastEnd() override;
  bool PutByte(uint8_t byte) override;
  int32_t GetByte() override;

  int32_t Capacity() const { return capacity_; }
  bool OwnsBuffer() const { return ownsBuffer_; }

 private:
  uint8_t* buffer_;
  int32_t size_;
  bool ownsBuffer_;
  int32_t position_;
  int32_t capacity_;
};

}  // namespace tavrix
