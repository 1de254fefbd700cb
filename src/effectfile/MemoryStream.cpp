// The memory stream: reads and writes over one heap block that grows in
// 4096-byte steps. Offsets are checked in 64-bit arithmetic so that no count
// a record asks for can reach outside the block.
#include "effectfile/MemoryStream.h"

#include <cstdlib>
#include <cstring>

namespace tavrix {
namespace {

constexpr uint32_t kGrowthStep = 4096;

// A negative block length would turn every bound check around.
int32_t BlockLength(int32_t length) { return length < 0 ? 0 : length; }

}  // namespace

MemoryStream::MemoryStream(uint8_t* buffer, int32_t length)
    : buffer_(buffer),
      size_(BlockLength(length)),
      ownsBuffer_(buffer != nullptr),
      position_(0),
      capacity_(BlockLength(length)) {}

MemoryStream::~MemoryStream() { Close(); }

void MemoryStream::Attach(uint8_t* buffer, int32_t length) {
  buffer_ = buffer;
  size_ = capacity_ = BlockLength(length);
}

bool MemoryStream::CreateEmpty() {
  if (buffer_) return false;
  size_ = capacity_ = position_ = 0;
  buffer_ = static_cast<uint8_t*>(std::malloc(1));
  ownsBuffer_ = true;
  return buffer_ != nullptr;
}

uint8_t* MemoryStream::TakeBuffer(bool release) {
  ownsBuffer_ = !release;
  return buffer_;
}

bool MemoryStream::Reserve(uint32_t required) {
  if (required <= static_cast<uint32_t>(capacity_)) return true;
  uint64_t grown = (static_cast<uint64_t>(required) & ~uint64_t{kGrowthStep - 1}) + kGrowthStep;
  if (grown > INT32_MAX) return false;
  void* moved = std::realloc(buffer_, grown);
  if (!moved) return false;
  buffer_ = static_cast<uint8_t*>(moved);
  capacity_ = static_cast<int32_t>(grown);
  ownsBuffer_ = true;
  return true;
}

bool MemoryStream::Close() {
  if (buffer_ && ownsBuffer_) {
    std::free(buffer_);
    buffer_ = nullptr;
    size_ = 0;
  }
  return true;
}

uint32_t MemoryStream::Read(void* destination, uint32_t elementSize, uint32_t elementCount) {
  if (!destination || !buffer_ || position_ >= size_) return 0;
  uint64_t n = static_cast<uint64_t>(elementSize) * elementCount;
  if (n == 0) return 0;
  const uint64_t left = static_cast<uint64_t>(size_ - position_);
  if (n > left) n = left;
  std::memcpy(destination, buffer_ + position_, n);
  position_ += static_cast<int32_t>(n);
  return static_cast<uint32_t>(n / elementSize);
}

uint32_t MemoryStream::Write(const void* source, uint32_t elementSize, uint32_t elementCount) {
  if (!buffer_ || !source) return 0;
  const uint64_t n = static_cast<uint64_t>(elementSize) * elementCount;
  if (n == 0) return 0;
  const uint64_t end = static_cast<uint64_t>(position_) + n;
  if (end > INT32_MAX) return 0;
  if (end > static_cast<uint64_t>(capacity_) && !Reserve(static_cast<uint32_t>(end))) return 0;
  // A write beyond the end after a Seek leaves a gap; zero it rather than
  // let stale heap bytes into a saved file.
  if (position_ > size_) std::memset(buffer_ + size_, 0, position_ - size_);
  std::memcpy(buffer_ + position_, source, n);
  position_ = static_cast<int32_t>(end);
  if (position_ > size_) size_ = position_;
  return elementCount;
}

bool MemoryStream::Seek(int32_t offset, int32_t origin) {
  if (!buffer_) return false;
  int64_t base;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = position_; break;
    case 2: base = size_; break;
    default: return false;
  }
  int64_t target = base + offset;
  if (target < 0) target = 0;
  if (target > INT32_MAX) target = INT32_MAX;
  position_ = static_cast<int32_t>(target);
  return true;
}

int32_t MemoryStream::Tell() { return buffer_ ? position_ : -1; }

int32_t MemoryStream::GetSize() { return buffer_ ? size_ : -1; }

bool MemoryStream::IsOpen() { return buffer_ != nullptr; }

bool MemoryStream::IsEof() { return !buffer_ || position_ >= size_; }

int32_t MemoryStream::IsPastEnd() {
  if (!buffer_) return -1;
  return position_ > size_ ? 1 : 0;
}

bool MemoryStream::PutByte(uint8_t byte) { return Write(&byte, 1, 1) == 1; }

int32_t MemoryStream::GetByte() {
  if (IsEof()) return -1;
  return buffer_[position_++];
}

}  // namespace tavrix
