// The allocator hook: every object of the library is allocated through the
// process-wide current allocator, constructed in place and freed through it.
// With no current allocator every allocation yields null.
#pragma once

#include <cstdint>
#include <new>
#include <utility>

#include "tavrix/IParticleAllocator.h"

namespace tavrix {

IParticleAllocator* CurrentAllocator();
void SetCurrentAllocator(IParticleAllocator* allocator);
IParticleAllocator* DefaultAllocator();

void* AllocateBytes(uint32_t size);
void FreeBytes(void* pointer);

// Allocates and constructs a T through the current allocator; null when the
// allocator refuses.
template <class T, class... Args>
T* New(Args&&... args) {
  void* memory = AllocateBytes(static_cast<uint32_t>(sizeof(T)));
  return memory ? new (memory) T(std::forward<Args>(args)...) : nullptr;
}

// Body of every destroying destructor slot: run the concrete destructor and,
// with bit 0 of flags, give the memory back.
template <class T>
void* DestroyObject(T* object, unsigned int flags) {
  object->T::~T();
  if (flags & 1u) FreeBytes(object);
  return object;
}

}  // namespace tavrix
