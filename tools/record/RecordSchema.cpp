// The record layout's runs, looked up once in the field table. A name without
// an entry, or an emitter field the library stores as another kind than the
// table says, is a fault of the tools and throws std::logic_error at first use.
#include "record/RecordSchema.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "simulation/EmitterFields.h"

namespace tavrix::record {
namespace {

FieldRun RunOf(FieldBlock block, std::initializer_list<const char*> names) {
  FieldRun run;
  for (const char* name : names) run.push_back(&FieldOf(block, name));
  return run;
}

FieldKind KindOf(const EmitterField& field) {
  if (field.flag) return FieldKind::Flag;
  return field.integer ? FieldKind::Int32 : FieldKind::Float;
}

// The library's stored fields in its order, then the animated flag, which it
// reads apart from them for its own result code.
FieldRun EmitterRun() {
  FieldRun run;
  for (const EmitterField& field : tavrix::kEmitterFields) {
    const FieldEntry& entry = FieldOf(FieldBlock::Emitter, field.name);
    if (entry.kind != KindOf(field))
      throw std::logic_error(std::string("the field table gives ") + field.name +
                             " another kind than the library");
    run.push_back(&entry);
  }
  run.push_back(&FieldOf(FieldBlock::Emitter, "animated"));
  return run;
}

RecordLayout Build() {
  constexpr FieldBlock Fx = FieldBlock::Effect, Fr = FieldBlock::Frames;
  return {RunOf(Fx, {"tag", "version"}),
          RunOf(Fx, {"positionX", "positionY", "frameWidth", "frameHeight", "running",
                     "elapsedSeconds", "stopping", "endMode", "durationSeconds"}),
          RunOf(FieldBlock::Track, {"name", "cycles", "duration", "boundA", "boundB", "default"}),
          RunOf(FieldBlock::Key, {"time", "value"}),
          EmitterRun(),
          RunOf(Fr, {"cycleLength", "loop", "randomStart"}),
          RunOf(Fr, {"frameSetName", "textureName"}),
          RunOf(Fr, {"hasFollowUp"}),
          RunOf(Fr, {"frameIndex"}),
          RunOf(FieldBlock::SubEffect,
                {"name", "enabled", "positionX", "positionY", "startDelay", "effectFile",
                 "copiesMin", "copiesMax", "speedMin", "speedMax", "angleMin", "angleMax"})};
}

}  // namespace

const RecordLayout& Layout() {
  static const RecordLayout layout = Build();
  return layout;
}

}  // namespace tavrix::record
