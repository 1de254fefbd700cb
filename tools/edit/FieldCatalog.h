// The fields of a record an artist edits, as the field table offers them to
// the editor: what the library accepts for each and the group a panel shows
// it in. Fields the library sets itself (run state, derived vectors, magic
// and version) are not here.
#pragma once

#include <string_view>
#include <vector>

#include "record/FieldTable.h"

namespace tavrix::edit {

using record::FieldRule;

// The frame fields split by the block that holds them.
enum class FieldScope { Effect, Emitter, SubEffect, Animation, FrameSet };

struct FieldInfo {
  FieldScope scope;
  const char* name;
  const char* label;
  const char* group;
  FieldRule rule;
  double low, high;                // Number, Whole and Index; Choice takes 0 to high
  const record::Choices* choices;  // Choice
};

std::vector<const FieldInfo*> FieldsOf(FieldScope scope);
const FieldInfo* FindField(FieldScope scope, std::string_view name);

// Fields of one scope that must keep low <= high.
struct FieldPair {
  FieldScope scope;
  const char* low;
  const char* high;
};
std::vector<FieldPair> OrderedPairs();

}  // namespace tavrix::edit
