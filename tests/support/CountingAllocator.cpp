#include "support/CountingAllocator.h"

#include "base/Allocator.h"

namespace tavrix::test {

ScopedAllocator::ScopedAllocator() : previous_(CurrentAllocator()) {
  SetCurrentAllocator(&allocator);
}

ScopedAllocator::~ScopedAllocator() { SetCurrentAllocator(previous_); }

}  // namespace tavrix::test
