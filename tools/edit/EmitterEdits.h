// Edits of the emitter list: add, duplicate, delete and reorder. A new or
// duplicated emitter gets a name and a frame set name of its own, because the
// library shares frames by frame set name across the emitters of an effect.
#pragma once

#include "edit/EffectDocument.h"

namespace tavrix::edit {

enum class EmitterKind { Particles, SubEffect };

// Appended at the end of the list.
Edit AddEmitter(EmitterKind kind);
// The copy goes right after the original.
Edit DuplicateEmitter(int emitter);
// Refused for the last emitter: an effect without emitters does not play.
Edit DeleteEmitter(int emitter);
// The emitter at from ends up at index to; emitters draw from the last to the
// first, so the order is the draw order.
Edit MoveEmitter(int from, int to);

}  // namespace tavrix::edit
