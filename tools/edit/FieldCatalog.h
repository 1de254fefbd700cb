// The fields of a record an artist edits, with what the library accepts for
// each: a flag, one of a list of choices, a number in a range, a whole
// number (stored as a float, or as an integer index) or a text; and the group a panel shows it in.
// Fields the library sets itself (run state, derived vectors, magic and version) are not here.
#pragma once

#include <string_view>
#include <vector>

namespace tavrix::edit {

enum class FieldScope { Effect, Emitter, SubEffect, Animation, FrameSet };
enum class FieldRule { Flag, Choice, Number, Whole, Index, Text };

struct FieldInfo {
  FieldScope scope;
  const char* name;
  const char* label;
  const char* group;
  FieldRule rule;
  double low, high;            // Number, Whole and Index; Choice takes 0 to high
  const char* const* choices;  // Choice: the name of each value
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
