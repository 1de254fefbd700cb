// Edits of single fields of the effect (emitter -1) or of an emitter, as the
// field catalogue allows them: an emitter's name, enabled flag, spawn shape,
// rotation, blending, its frame block's fields; the effect's duration, end
// mode, frame size and position. Fields the library derives (the force
// direction from the force angle, the corners from the pivot) follow.
#pragma once

#include <string>
#include <vector>

#include "edit/EffectDocument.h"
#include "edit/FieldCatalog.h"

namespace tavrix::edit {

// Flags take true or false (or 1 and 0), choices their number.
Edit SetField(int emitter, const std::string& name, const Json& value);
struct FieldView {
  const FieldInfo* info;
  Json value;
};
// What a panel shows for the effect (emitter -1) or an emitter: every field
// an editor changes, in the catalogue's order, with its current value.
std::vector<FieldView> EditableFields(const Json& record, int emitter);

// Switches between one frame shown throughout and a frame animation,
// keeping the texture and the frames.
Edit SetAnimated(int emitter, bool animated);

}  // namespace tavrix::edit
