// The name table: a chained hash of case-folded texts whose entries and
// copies are sliced from a block arena, all through the host allocator.
#include "resources/NameTable.h"

#include <cstddef>
#include <cstring>

#include "base/Allocator.h"

namespace tavrix {
namespace {

constexpr uint32_t kArenaAlignment = alignof(void*) > 4 ? alignof(void*) : 4;

struct FoldingTable {
  uint8_t entries[256];
  constexpr FoldingTable() : entries() {
    for (uint32_t b = 0; b < 256; ++b) {
      uint32_t letter = (b >= 65 && b <= 90) ? b + 32 : b;
      entries[b] = static_cast<uint8_t>(letter * letter);
    }
  }
};

constexpr FoldingTable foldingTable;

// Folds only A to Z, whatever the platform's locale says.
uint8_t LowerAscii(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

bool EqualIgnoringCase(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const uint8_t*>(a);
  const auto* y = reinterpret_cast<const uint8_t*>(b);
  for (;; ++x, ++y) {
    if (LowerAscii(*x) != LowerAscii(*y)) return false;
    if (*x == 0) return true;
  }
}

uint32_t RoundUp(uint32_t size) { return (size + kArenaAlignment - 1) & ~(kArenaAlignment - 1); }

NameTable* currentTable = nullptr;

}  // namespace

NameTable::NameTable() { EnsureBuckets(); }

NameTable::~NameTable() {
  FreeBytes(buckets_);
  FreeArena();
}

uint32_t NameTable::Hash(const char* text) {
  uint32_t h = 0;
  for (const auto* p = reinterpret_cast<const uint8_t*>(text); *p; ++p) {
    h = (h * 2) ^ foldingTable.entries[*p];
  }
  return h;
}

const char* NameTable::Intern(const char* text) {
  if (!text || !EnsureBuckets()) return nullptr;
  Entry** link = &buckets_[Hash(text) % bucketCount_];
  for (; *link; link = &(*link)->next) {
    if (EqualIgnoringCase((*link)->text, text)) return (*link)->text;
  }
  size_t length = std::strlen(text);
  if (length >= static_cast<size_t>(INT32_MAX) - kArenaAlignment) return nullptr;
  auto* entry = static_cast<Entry*>(ArenaAllocate(sizeof(Entry)));
  if (!entry) return nullptr;
  auto* copy = static_cast<char*>(ArenaAllocate(static_cast<uint32_t>(length + 1)));
  if (!copy) return nullptr;
  std::memcpy(copy, text, length + 1);
  entry->text = copy;
  entry->next = nullptr;
  *link = entry;
  ++entryCount_;
  if (entryCount_ > 2 * bucketCount_) Grow();
  return copy;
}

bool NameTable::EnsureBuckets() {
  if (buckets_) return true;
  buckets_ = static_cast<Entry**>(AllocateBytes(bucketCount_ * sizeof(Entry*)));
  if (buckets_) std::memset(buckets_, 0, bucketCount_ * sizeof(Entry*));
  return buckets_ != nullptr;
}

// Builds the larger array before letting go of the old one, so a refused
// allocation leaves the table as it was, only more crowded.
void NameTable::Grow() {
  uint64_t count = 4ull * bucketCount_ - 1;
  if (count * sizeof(Entry*) > UINT32_MAX) return;
  auto* grown = static_cast<Entry**>(AllocateBytes(static_cast<uint32_t>(count * sizeof(Entry*))));
  if (!grown) return;
  std::memset(grown, 0, count * sizeof(Entry*));
  for (uint32_t i = 0; i < bucketCount_; ++i) {
    for (Entry* entry = buckets_[i]; entry;) {
      Entry* next = entry->next;
      Entry*& head = grown[Hash(entry->text) % count];
      entry->next = head;
      head = entry;
      entry = next;
    }
  }
  FreeBytes(buckets_);
  buckets_ = grown;
  bucketCount_ = static_cast<uint32_t>(count);
}

void* NameTable::ArenaAllocate(uint32_t size) {
  const uint32_t blockSize = static_cast<uint32_t>(arena_.blockSize);
  if (size > blockSize) return ArenaAllocateOversized(size);
  Block* block = arena_.current;
  if (!block || static_cast<uint32_t>(block->used) + size > blockSize) {
    block = static_cast<Block*>(AllocateBytes(sizeof(Block)));
    if (!block) return nullptr;
    block->data = static_cast<char*>(AllocateBytes(blockSize));
    if (!block->data) {
      FreeBytes(block);
      return nullptr;
    }
    block->used = 0;
    block->next = arena_.current;
    arena_.current = block;
  }
  char* slice = block->data + block->used;
  block->used += static_cast<int32_t>(RoundUp(size));
  return slice;
}

// The block is marked full and slotted behind the current one, so the
// current block keeps serving small slices.
void* NameTable::ArenaAllocateOversized(uint32_t size) {
  auto* block = static_cast<Block*>(AllocateBytes(sizeof(Block)));
  if (!block) return nullptr;
  block->data = static_cast<char*>(AllocateBytes(size));
  if (!block->data) {
    FreeBytes(block);
    return nullptr;
  }
  block->used = static_cast<int32_t>(size);
  Block** link = arena_.current ? &arena_.current->next : &arena_.current;
  block->next = *link;
  *link = block;
  return block->data;
}

void NameTable::FreeArena() {
  for (Block* block = arena_.current; block;) {
    Block* older = block->next;
    FreeBytes(block->data);
    FreeBytes(block);
    block = older;
  }
  arena_.current = nullptr;
}

NameTable* CurrentNameTable() { return currentTable; }
void SetCurrentNameTable(NameTable* table) { currentTable = table; }

const char* InternName(const char* text) {
  return currentTable ? currentTable->Intern(text) : nullptr;
}

}  // namespace tavrix
