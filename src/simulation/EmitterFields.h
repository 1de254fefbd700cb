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
  constexpr EmitterField(const char* name, float Emitter::Record::*member)
      : name(name), real(member) {}
  constexpr EmitterField(const char* name, int32_t Emitter::Record::*member)
      : name(name), integer(member) {}
  constexpr EmitterField(const char* name, bool Emitter::Record::*member)
      : name(name), flag(member) {}

  const char* name;
  float Emitter::Record::*real = nullptr;
  int32_t Emitter::Record::*integer = nullptr;
  bool Emitter::Record::*flag = nullptr;
};

inline constexpr EmitterField kEmitterFields[] = {
    {"emissionBacklog", &Emitter::Record::emissionBacklog},
    {"enabled", &Emitter::Record::enabled},
    {"uniformSize", &Emitter::Record::uniformSize},
    {"forceDirectionX", &Emitter::Record::forceDirectionX},
    {"forceDirectionY", &Emitter::Record::forceDirectionY},
    {"forceAngle", &Emitter::Record::forceAngle},
    {"rotationMode", &Emitter::Record::rotationMode},
    {"rotationOffset", &Emitter::Record::rotationOffset},
    {"alignToMotion", &Emitter::Record::alignToMotion},
    {"randomRotationCentre", &Emitter::Record::randomRotationCentre},
    {"randomRotationRange", &Emitter::Record::randomRotationRange},
    {"fixedRotation", &Emitter::Record::fixedRotation},
    {"spawnShape", &Emitter::Record::spawnShape},
    {"pivotX", &Emitter::Record::pivotX},
    {"pivotY", &Emitter::Record::pivotY},
    {"useEffectEmission", &Emitter::Record::useEffectEmission},
    {"effectRotation", &Emitter::Record::effectRotation},
    {"additive", &Emitter::Record::additive},
    {"singleParticle", &Emitter::Record::singleParticle},
    {"useEffectOffset", &Emitter::Record::useEffectOffset},
    {"reservedFlag", &Emitter::Record::reservedFlag},
    {"positionX", &Emitter::Record::positionX},
    {"positionY", &Emitter::Record::positionY},
    {"reverseDrawOrder", &Emitter::Record::reverseDrawOrder},
    {"stopped", &Emitter::Record::stopped},
};

}  // namespace tavrix
