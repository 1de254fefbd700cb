#include "edit/FieldCatalog.h"

#include <algorithm>

#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

using record::FieldBlock;

bool Holds(const record::FieldRun& fields, const record::FieldEntry& entry) {
  return std::find(fields.begin(), fields.end(), &entry) != fields.end();
}

FieldScope ScopeOf(const record::FieldEntry& entry) {
  switch (entry.block) {
    case FieldBlock::Effect: return FieldScope::Effect;
    case FieldBlock::SubEffect: return FieldScope::SubEffect;
    case FieldBlock::Frames:
      return Holds(record::Layout().frameSetTail, entry) ? FieldScope::FrameSet
                                                         : FieldScope::Animation;
    case FieldBlock::Emitter:
    case FieldBlock::Track:
    case FieldBlock::Key: break;
  }
  return FieldScope::Emitter;
}

std::vector<FieldInfo> Catalogue() {
  std::vector<FieldInfo> fields;
  for (const record::FieldEntry& entry : record::FieldEntries()) {
    const record::FieldEditing& e = entry.editing;
    if (e.label)
      fields.push_back(
          {ScopeOf(entry), entry.name, e.label, e.group, e.rule, e.low, e.high, e.choices});
  }
  return fields;
}

const std::vector<FieldInfo>& Fields() {
  static const std::vector<FieldInfo> fields = Catalogue();
  return fields;
}

}  // namespace

std::vector<const FieldInfo*> FieldsOf(FieldScope scope) {
  std::vector<const FieldInfo*> fields;
  for (const FieldInfo& info : Fields())
    if (info.scope == scope) fields.push_back(&info);
  return fields;
}

const FieldInfo* FindField(FieldScope scope, std::string_view name) {
  for (const FieldInfo& info : Fields())
    if (info.scope == scope && name == info.name) return &info;
  return nullptr;
}

std::vector<FieldPair> OrderedPairs() {
  return {{FieldScope::SubEffect, "copiesMin", "copiesMax"},
          {FieldScope::SubEffect, "speedMin", "speedMax"},
          {FieldScope::SubEffect, "angleMin", "angleMax"}};
}

}  // namespace tavrix::edit
