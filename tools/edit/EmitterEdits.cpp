#include "edit/EmitterEdits.h"

#include "edit/EffectTemplate.h"
#include "edit/RecordAccess.h"
#include "record/NameCompare.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

bool NameTaken(const Json& record, const std::string& name, bool frameSets) {
  for (const Json& emitter : Emitters(record)) {
    if (frameSets && IsSubEffect(emitter)) continue;
    const Json& holder = frameSets ? FrameBlock(emitter) : emitter;
    const char* field = frameSets ? "frameSetName" : record::key::Name;
    if (record::SameName(TextOf(holder.value(field, Json(""))), name)) return true;
  }
  return false;
}

// base itself when free, else base followed by the first free number.
std::string FreeName(const Json& record, const std::string& base, bool frameSets) {
  std::string name = base.substr(0, 240);
  for (int n = 2; NameTaken(record, name, frameSets); ++n)
    name = base.substr(0, 240) + " " + std::to_string(n);
  return name;
}

}  // namespace

Edit AddEmitter(EmitterKind kind) {
  return MakeEdit("Add emitter", "", [kind](Json& record) {
    Json& emitters = Emitters(record);
    const std::string name =
        FreeName(record, "Emitter " + std::to_string(emitters.size() + 1), false);
    emitters.push_back(kind == EmitterKind::SubEffect
                           ? DefaultSubEffect(name)
                           : DefaultEmitter(name, FreeName(record, "particle", true)));
  });
}

Edit DuplicateEmitter(int emitter) {
  return MakeEdit("Duplicate emitter", "", [emitter](Json& record) {
    Json copy = EmitterAt(record, emitter);
    copy[record::key::Name] =
        FreeName(record, TextOf(copy.value(record::key::Name, Json(""))) + " copy", false);
    if (!IsSubEffect(copy)) {
      Json& block = FrameBlock(copy);
      block["frameSetName"] = FreeName(record, TextOf(block.value("frameSetName", Json(""))), true);
    }
    Json& emitters = Emitters(record);
    emitters.insert(emitters.begin() + emitter + 1, std::move(copy));
  });
}

Edit DeleteEmitter(int emitter) {
  return MakeEdit("Delete emitter", "", [emitter](Json& record) {
    EmitterAt(record, emitter);
    Json& emitters = Emitters(record);
    if (emitters.size() == 1)
      Refuse("an effect keeps at least one emitter: without one it does not play");
    emitters.erase(emitters.begin() + emitter);
  });
}

Edit MoveEmitter(int from, int to) {
  return MakeEdit("Move emitter", "", [from, to](Json& record) {
    Json moved = EmitterAt(record, from);
    EmitterAt(record, to);
    Json& emitters = Emitters(record);
    emitters.erase(emitters.begin() + from);
    emitters.insert(emitters.begin() + to, std::move(moved));
  });
}

}  // namespace tavrix::edit
