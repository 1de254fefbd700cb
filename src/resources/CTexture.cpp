// The abstract texture base: its own Load and Unload only report that a
// kind forgot to override them.
#include "resources/CTexture.h"

#include "base/Allocator.h"
#include "platform/Win32.h"

namespace tavrix {

// The destructor is protected (only kinds derive), so the slot destroys
// itself rather than through DestroyObject.
void* CTexture::Destroy(unsigned int flags) {
  this->CTexture::~CTexture();
  if (flags & 1u) FreeBytes(this);
  return this;
}

int32_t CTexture::Load() {
  OutputDebugStringA("CTexture::Load() pure virtual function called");
  return 0;
}

void CTexture::Unload() { OutputDebugStringA("CTexture::Unload() pure virtual function called"); }

}  // namespace tavrix
