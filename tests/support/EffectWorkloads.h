// Effects that tests and benchmarks share: emitters that spawn steadily and
// draw without a texture, and effect records around them.
#pragma once

#include "support/EffectFileBuilder.h"

namespace tavrix::test {

// rate particles a second, each living life seconds; animated, so that it
// draws without a frame set, and drawn at its particles' effect offset.
EmitterDesc SteadyEmitter(float rate = 100.0f, float life = 1.0f);

// An effect of the given emitter records, duration and end mode.
EffectDesc EffectOf(std::vector<Bytes> emitters, float durationSeconds = 10.0f,
                    int32_t endMode = 0);

// A typical effect: three steady emitters with keyframed tracks and one
// frame-set emitter, every effect track named.
EffectDesc TypicalEffect();
Bytes TypicalEffectRecord();

}  // namespace tavrix::test
