// Records for the record-model tests, built field by field with the shared
// effect-file builder: the odd shapes a file may take that the library's own
// writer never produces.
#pragma once

#include "support/EffectFileBuilder.h"

namespace tavrix::test {

// Tracks out of order and named twice (one in other letter case), keys out
// of order, repeated and past the domain, an animated emitter, a frame-set
// emitter and a sub-effect emitter.
Bytes UnusualRecord();
// The bytes of a float that is not a number, with a payload.
float QuietNanWithPayload();

}  // namespace tavrix::test
