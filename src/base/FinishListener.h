// The process-wide finish-listener slot: one listener, set through any
// particle system, hears about the effects of every system that end.
#pragma once

#include "tavrix/IEffectFinishListener.h"

namespace tavrix {

IEffectFinishListener* CurrentFinishListener();
void SetCurrentFinishListener(IEffectFinishListener* listener);

}  // namespace tavrix
