// The chained hash table of shared resources, keyed by kind and by the
// address of the interned name: 29, 59, 119, ... buckets.
#pragma once

#include <cstdint>

#include "resources/SharedResource.h"

namespace tavrix {

class ResourceCache {
 public:
  ResourceCache();
  ~ResourceCache();
  ResourceCache(const ResourceCache&) = delete;
  ResourceCache& operator=(const ResourceCache&) = delete;

  SharedResource* Find(int32_t kind, const char* key) const;
  // False when the first bucket array cannot be allocated.
  bool Insert(SharedResource* resource);
  void Remove(SharedResource* resource);

  int32_t BucketCount() const { return bucketCount_; }
  int32_t EntryCount() const { return entryCount_; }

 private:
  uint32_t BucketOf(const char* key) const;
  void Grow();

  SharedResource** buckets_ = nullptr;
  int32_t bucketCount_ = 29;
  int32_t entryCount_ = 0;
};

}  // namespace tavrix
