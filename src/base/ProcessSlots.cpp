#include "base/ProcessSlots.h"

namespace tavrix {
namespace {
IDirect3DDevice8* currentDevice = nullptr;
IEffectFinishListener* currentListener = nullptr;
}  // namespace

IDirect3DDevice8* CurrentDevice() { return currentDevice; }
void SetCurrentDevice(IDirect3DDevice8* device) { currentDevice = device; }

IEffectFinishListener* CurrentFinishListener() { return currentListener; }
void SetCurrentFinishListener(IEffectFinishListener* listener) { currentListener = listener; }

}  // namespace tavrix
