#include "module/Lifetime.h"

#include "base/Allocator.h"
#include "resources/NameTable.h"

namespace tavrix {
namespace {

int liveFactories = 0;
int liveSystems = 0;
// A table whose factory was released while systems still use its names.
NameTable* orphanedTable = nullptr;

void DestroyTable(NameTable* table) {
  if (!table) return;
  table->~NameTable();
  FreeBytes(table);
}

}  // namespace

void BeginFactory(IParticleAllocator* allocator) {
  if (liveFactories == 0 && liveSystems == 0) {
    SetCurrentAllocator(allocator ? allocator : DefaultAllocator());
    SetCurrentNameTable(New<NameTable>());
  } else if (liveFactories == 0) {
    SetCurrentNameTable(orphanedTable);
    orphanedTable = nullptr;
  }
  ++liveFactories;
}

void EndFactory() {
  if (--liveFactories > 0) return;
  if (liveSystems == 0)
    DestroyTable(CurrentNameTable());
  else
    orphanedTable = CurrentNameTable();
  SetCurrentNameTable(nullptr);
}

void SystemCreated() { ++liveSystems; }

void SystemDestroyed() {
  if (--liveSystems > 0 || liveFactories > 0) return;
  DestroyTable(orphanedTable);
  orphanedTable = nullptr;
}

}  // namespace tavrix
