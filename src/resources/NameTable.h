// The process-wide table of interned names: equal texts (ignoring the case of
// A to Z) share one stored copy, so names compare by address. Copies live
// until the table is destroyed.
#pragma once

#include <cstdint>

namespace tavrix {

class NameTable {
 public:
  NameTable();
  ~NameTable();
  NameTable(const NameTable&) = delete;
  NameTable& operator=(const NameTable&) = delete;

  // The table's copy of text; null only when memory runs out.
  const char* Intern(const char* text);

  uint32_t BucketCount() const { return bucketCount_; }
  uint32_t EntryCount() const { return entryCount_; }

  static uint32_t Hash(const char* text);

 private:
  struct Entry {
    const char* text;
    Entry* next;
  };
  struct Block {
    Block* next;
    char* data;
    int32_t used;
  };
  struct StringArena {
    Block* current = nullptr;
    int32_t blockSize = 16376;
  };

  // Slices are rounded up to a multiple of 4 bytes, or of the pointer width
  // where that is wider, so entries stay aligned.
  void* ArenaAllocate(uint32_t size);
  // A text too long for an ordinary block gets a block of its own.
  void* ArenaAllocateOversized(uint32_t size);
  void FreeArena();
  bool EnsureBuckets();
  void Grow();

  Entry** buckets_ = nullptr;
  uint32_t bucketCount_ = 29;
  uint32_t entryCount_ = 0;
  StringArena arena_;
};

// The current table, created by CreateParticleSystem and destroyed with the
// factory; null outside that span.
NameTable* CurrentNameTable();
void SetCurrentNameTable(NameTable* table);

// Interns through the current table; null when there is none.
const char* InternName(const char* text);

}  // namespace tavrix
