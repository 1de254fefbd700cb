// Base of the named, shared, reference-counted resources the texture cache
// holds (frame sets and textures).
#pragma once

#include <cstdint>

namespace tavrix {

class SharedResource {
 public:
  SharedResource(const char* key, int32_t kind) : key_(key), kind_(kind) {}
  SharedResource(const SharedResource&) = delete;
  SharedResource& operator=(const SharedResource&) = delete;

  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

  const char* Key() const { return key_; }
  // The kind the cache looks resources up by (TextureManager::Kind).
  int32_t Kind() const { return kind_; }
  int32_t References() const { return references_; }
  void AddReference() { ++references_; }
  int32_t DropReference() { return --references_; }

  SharedResource* next = nullptr;  // chain link inside the cache

 protected:
  ~SharedResource() = default;

 private:
  const char* key_;
  int32_t kind_;
  int32_t references_ = 1;
};

}  // namespace tavrix
