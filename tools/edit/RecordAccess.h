// Finding the parts of a record that edits work on, refusing with a message
// that names them when they are not there or do not hold what they should.
#pragma once

#include <string>

#include "edit/EffectDocument.h"

namespace tavrix::edit {

struct Refusal {
  std::string message;
};
[[noreturn]] void Refuse(std::string message);

// An edit whose change refuses by throwing a Refusal.
Edit MakeEdit(std::string label, std::string mergeTag, std::function<void(Json&)> change);

Json& Emitters(Json& record);
const Json& Emitters(const Json& record);
Json& EmitterAt(Json& record, int index);
const Json& EmitterAt(const Json& record, int index);
bool IsSubEffect(const Json& emitter);
// The frameAnimation block of an animated emitter, else its frameSet block.
Json& FrameBlock(Json& emitter);
const Json& FrameBlock(const Json& emitter);
// The emitter's name for messages: its own, or its place in the list.
std::string EmitterLabel(const Json& record, int index);

float FloatOf(const Json& value, const std::string& what);
bool FlagOf(const Json& value);
std::string TextOf(const Json& value);
// Refuses a number that is not finite or lies outside [low, high].
float CheckedNumber(double value, double low, double high, const std::string& what);
// Refuses an empty text or one longer than a record holds.
void CheckText(const std::string& text, const std::string& what);
std::string NumberText(double value);

}  // namespace tavrix::edit
