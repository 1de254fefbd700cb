#include "base/CurrentDevice.h"

namespace tavrix {
namespace {
IDirect3DDevice8* currentDevice = nullptr;
}

IDirect3DDevice8* CurrentDevice() { return currentDevice; }
void SetCurrentDevice(IDirect3DDevice8* device) { currentDevice = device; }

}  // namespace tavrix
