// What the tools know of each field of an effect record, written once: how
// it is stored and what it takes when left out of the JSON (for dump, pack
// and check), its meaning and unit for the reference and the JSON Schema,
// and how the editor offers it (label, group, what it accepts). The order
// the record stores them in is the layout's, in RecordSchema.h. The choice
// fields' names are listed here too, for every tool that shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix::record {

// The record blocks the reference describes; "frames" covers both frame
// blocks, "key" the items of a track's key list.
enum class FieldBlock { Effect, Emitter, Frames, SubEffect, Track, Key };

// How a field is stored. A list is a list or block of its own, which dump
// and pack walk item by item.
enum class FieldKind { Float, Int32, UInt32, Flag, Text, Tag, List };

// The kind as the reference names it and the JSON Schema's definitions are
// called.
const char* FieldKindName(FieldKind kind);

// What a field left out of the JSON takes. A value is JSON text; a derived
// default is worked out from other fields as the library would, and its text
// says from what. Required fields have no default.
enum class Omitted { Required, Value, Derived };

struct Absent {
  Omitted omitted = Omitted::Required;
  const char* byDefault = "";
};

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
std::string NumberedChoice(const Choices& choices, int64_t value, const char* Choice::*words,
                           const char* unknown);
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
  FieldKind kind;
  Absent absent;
  std::string meaning;
  const char* unit;  // "" when the field has none
  FieldEditing editing = {};
};

// Within a block, edited fields run in the order the editor's panels show them.
const std::vector<FieldEntry>& FieldEntries();
// Every field the tools name has an entry: a missing one is a fault of the
// tools, thrown as std::logic_error.
const FieldEntry& FieldOf(FieldBlock block, std::string_view name);

}  // namespace tavrix::record
