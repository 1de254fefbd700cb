// The update of an effect's emitters, one after another in record order or,
// with update threads and enough particles, spread over the threads with the
// same result to the bit.
#pragma once

#include <cstdint>

#include "simulation/IParticleEmitter.h"
#include "simulation/UpdateWorkers.h"

namespace tavrix {

// Updates the enabled ones of count emitters by dt (no workers: one after
// another); returns their live particles afterwards.
int32_t UpdateEmitters(IParticleEmitter* const* emitters, uint32_t count, float dt,
                       UpdateWorkers* workers);

}  // namespace tavrix
