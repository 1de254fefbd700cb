// New records: a minimal effect that loads and plays, and the emitters an
// editor adds, with every field not set here at the value the library
// initialises it to (the record model's defaults).
#pragma once

#include <string>

#include "edit/EffectDocument.h"

namespace tavrix::edit {

// The texture new emitters show until the artist picks one.
inline constexpr const char* TemplateTexture = "disc.png";

// One looping emitter of small fading particles, written as briefly as the
// record model reads it: what `tavrix new` writes.
Json StarterEffect();
// The same with every field written out, as the editor shows it.
Json NewEffect();
Json DefaultEmitter(const std::string& name, const std::string& frameSetName);
Json DefaultSubEffect(const std::string& name);

}  // namespace tavrix::edit
