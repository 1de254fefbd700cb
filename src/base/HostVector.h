// A growable array of trivially copyable elements whose storage comes from
// a chosen source (the host allocator or the standard heap). Growth reports
// failure instead of throwing, so an allocator that runs dry becomes the
// caller's result code.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/Allocator.h"

namespace tavrix {

struct HostStorage {
  static void* Allocate(uint32_t size) { return AllocateBytes(size); }
  static void Free(void* p) { FreeBytes(p); }
};

struct HeapStorage {
  static void* Allocate(uint32_t size) { return std::malloc(size); }
  static void Free(void* p) { std::free(p); }
};

template <class T, class Storage = HostStorage>
class HostVector {
  static_assert(std::is_trivially_copyable<T>::value, "elements are moved with memcpy");

 public:
  HostVector() = default;
  HostVector(const HostVector&) = delete;
  HostVector& operator=(const HostVector&) = delete;
  ~HostVector() { Storage::Free(data_); }

  uint32_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  T* Data() { return data_; }
  const T* Data() const { return data_; }
  T& operator[](uint32_t i) { return data_[i]; }
  const T& operator[](uint32_t i) const { return data_[i]; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  T& Back() { return data_[size_ - 1]; }

  bool Reserve(uint32_t capacity) {
    if (capacity <= capacity_) return true;
    if (capacity > UINT32_MAX / sizeof(T)) return false;
    T* grown = static_cast<T*>(Storage::Allocate(static_cast<uint32_t>(capacity * sizeof(T))));
    if (!grown) return false;
    if (size_) std::memcpy(grown, data_, size_ * sizeof(T));
    Storage::Free(data_);
    data_ = grown;
    capacity_ = capacity;
    return true;
  }

  bool PushBack(const T& value) { return Insert(size_, value); }

  bool Insert(uint32_t index, const T& value) {
    if (size_ == capacity_ && !Reserve(capacity_ ? capacity_ * 2 : 4)) return false;
    std::memmove(data_ + index + 1, data_ + index, (size_ - index) * sizeof(T));
    data_[index] = value;
    ++size_;
    return true;
  }

  void Erase(uint32_t index) {
    std::memmove(data_ + index, data_ + index + 1, (size_ - index - 1) * sizeof(T));
    --size_;
  }

  void Clear() { size_ = 0; }

  // Frees the storage as well, as a teardown does.
  void Release() {
    Storage::Free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
  }

 private:
  T* data_ = nullptr;
  uint32_t size_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace tavrix
