// The process-wide finish-listener slot, a plain global like the other
// process-wide slots.
#include "base/FinishListener.h"

namespace tavrix {
namespace {
IEffectFinishListener* currentListener = nullptr;
}

IEffectFinishListener* CurrentFinishListener() { return currentListener; }
void SetCurrentFinishListener(IEffectFinishListener* listener) { currentListener = listener; }

}  // namespace tavrix
