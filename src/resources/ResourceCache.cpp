// The chained hash table behind the texture manager. Buckets come from the
// host allocator; entries are linked through their own next field, so
// insertion and removal never allocate except when the table grows.
#include "resources/ResourceCache.h"

#include <cstdint>

#include "base/Allocator.h"

namespace tavrix {
namespace {

SharedResource** AllocateBuckets(int32_t count) {
  const uint32_t bytes = static_cast<uint32_t>(count) * sizeof(SharedResource*);
  auto* buckets = static_cast<SharedResource**>(AllocateBytes(bytes));
  if (buckets) {
    for (int32_t i = 0; i < count; ++i) buckets[i] = nullptr;
  }
  return buckets;
}

}  // namespace

ResourceCache::ResourceCache() = default;

ResourceCache::~ResourceCache() { FreeBytes(buckets_); }

uint32_t ResourceCache::BucketOf(const char* key) const {
  const uintptr_t address = reinterpret_cast<uintptr_t>(key) >> 2;
  return static_cast<uint32_t>(address % static_cast<uint32_t>(bucketCount_));
}

SharedResource* ResourceCache::Find(int32_t kind, const char* key) const {
  if (!buckets_ || !key) return nullptr;
  for (SharedResource* entry = buckets_[BucketOf(key)]; entry; entry = entry->next) {
    if (entry->Key() == key && entry->Kind() == kind) return entry;
  }
  return nullptr;
}

bool ResourceCache::Insert(SharedResource* resource) {
  if (!buckets_) {
    buckets_ = AllocateBuckets(bucketCount_);
    if (!buckets_) return false;
  }
  SharedResource*& head = buckets_[BucketOf(resource->Key())];
  resource->next = head;
  head = resource;
  ++entryCount_;
  if (entryCount_ > bucketCount_) Grow();
  return true;
}

void ResourceCache::Remove(SharedResource* resource) {
  if (!buckets_) return;
  for (SharedResource** link = &buckets_[BucketOf(resource->Key())]; *link; link = &(*link)->next) {
    if (*link == resource) {
      *link = resource->next;
      resource->next = nullptr;
      --entryCount_;
      return;
    }
  }
}

// A refused allocation keeps the current array: chains only get longer.
void ResourceCache::Grow() {
  if (bucketCount_ > (INT32_MAX - 1) / 2) return;
  const int32_t grownCount = bucketCount_ * 2 + 1;
  SharedResource** grown = AllocateBuckets(grownCount);
  if (!grown) return;
  SharedResource** old = buckets_;
  const int32_t oldCount = bucketCount_;
  buckets_ = grown;
  bucketCount_ = grownCount;
  for (int32_t i = 0; i < oldCount; ++i) {
    SharedResource* entry = old[i];
    while (entry) {
      SharedResource* following = entry->next;
      SharedResource*& head = buckets_[BucketOf(entry->Key())];
      entry->next = head;
      head = entry;
      entry = following;
    }
  }
  FreeBytes(old);
}

}  // namespace tavrix
