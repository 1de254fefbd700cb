// The emitter record's plain fields between the corners and the animated
// flag, in the order the record stores them. Reading and writing both walk
// this one table, so a field added here is read and written alike.
#pragma once

#include <cstddef>
#include <cstdint>

#include "simulation/Emitter.h"

namespace tavrix {

// One stored field; the member it names says its encoding: a float32, an
// int32, or a one-byte flag. Exactly one of the three is set.
struct EmitterField {
  constexpr EmitterField(const char* name, float Emitter::*member) : name(name), real(member) {}
  constexpr EmitterField(const char* name, int32_t Emitter::*member)
      : name(name), integer(member) {}
  constexpr EmitterField(const char* name, bool Emitter::*member) : name(name), flag(member) {}

  const char* name;
  float Emitter::*real = nullptr;
  int32_t Emitter::*integer = nullptr;
  bool Emitter::*flag = nullptr;
};

inline constexpr EmitterField EmitterFields[] = {
    {"emissionBacklog", &Emitter::emissionBacklog},
    {"enabled", &Emitter::enabled},
    {"uniformSize", &Emitter::uniformSize},
    {"forceDirectionX", &Emitter::forceDirectionX},
    {"forceDirectionY", &Emitter::forceDirectionY},
    {"forceAngle", &Emitter::forceAngle},
    {"rotationMode", &Emitter::rotationMode},
    {"rotationOffset", &Emitter::rotationOffset},
    {"alignToMotion", &Emitter::alignToMotion},
    {"randomRotationCentre", &Emitter::randomRotationCentre},
    {"randomRotationRange", &Emitter::randomRotationRange},
    {"fixedRotation", &Emitter::fixedRotation},
    {"spawnShape", &Emitter::spawnShape},
    {"pivotX", &Emitter::pivotX},
    {"pivotY", &Emitter::pivotY},
    {"useEffectEmission", &Emitter::useEffectEmission},
    {"effectRotation", &Emitter::effectRotation},
    {"additive", &Emitter::additive},
    {"singleParticle", &Emitter::singleParticle},
    {"useEffectOffset", &Emitter::useEffectOffset},
    {"reservedFlag", &Emitter::reservedFlag},
    {"positionX", &Emitter::positionX},
    {"positionY", &Emitter::positionY},
    {"reverseDrawOrder", &Emitter::reverseDrawOrder},
    {"stopped", &Emitter::stopped},
};

}  // namespace tavrix
