// What the tools know of each field of an effect record, written once: its
// meaning and unit for the reference and the JSON Schema, and how the editor
// offers it (label, group, what it accepts). The kind, default and order
// stay with the record layout in RecordSchema.h, which pack and dump walk.
// The choice fields' names are listed here too, for every tool that shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix::record {

// The record blocks the reference describes; "frames" covers both frame blocks.
enum class FieldBlock { Effect, Emitter, Frames, SubEffect, Track };

// What the editor accepts: a flag, one of a list of choices, a number in a
// range, a whole number (stored as a float, or as an integer index) or a text.
enum class FieldRule { Flag, Choice, Number, Whole, Index, Text };

// One value of a choice field: the library's name and the words an artist reads.
struct Choice {
  const char* name;
  const char* label;
};

struct Choices {
  const Choice* items;
  int count;
};

extern const Choices EndModes;
extern const Choices SpawnShapes;
extern const Choices RotationModes;

// "2 KillAtEnd" with &Choice::name; the value followed by `unknown` outside the list.
std::string NumberedChoice(const Choices& choices, int64_t value, const char* Choice::*words, const char* unknown);
// "0 point, 1 horizontal line, ...".
std::string ChoiceListing(const Choices& choices, const char* Choice::*words);

// How the editor offers a field; the label is null for a field it leaves alone.
struct FieldEditing {
  const char* label = nullptr;
  const char* group = "";
  FieldRule rule = FieldRule::Text;
  double low = 0, high = 0;          // Number, Whole and Index; Choice takes 0 to high
  const Choices* choices = nullptr;  // Choice
};

struct FieldEntry {
  FieldBlock block;
  const char* name;
  std::string meaning;
  const char* unit;  // "" when the field has none
  FieldEditing editing = {};
};

// Within a block, edited fields run in the order the editor's panels show them.
const std::vector<FieldEntry>& FieldEntries();
// Null when a name has no entry, which the reference refuses: every field
// must be explained.
const FieldEntry* FindFieldEntry(FieldBlock block, std::string_view name);

}  // namespace tavrix::record
