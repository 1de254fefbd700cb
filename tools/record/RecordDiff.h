// What changed between two effect records, as record paths with the old and
// the new value. Emitters are matched by name, so reordering or inserting one
// does not show every later emitter as changed; tracks by their key, keys by
// position after the common start and end. The tavrix program prints these,
// and the hosts name them when they reload an edited effect.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::record {

enum class ChangeKind { Changed, Added, Removed };

struct RecordChange {
  ChangeKind kind;
  // "emitters[\"sparks\"].tracks.LifeRed.keys[2].value"; an emitter without a
  // name of its own is shown by its index.
  std::string path;
  Json before, after;  // null where the side has nothing
};

// The record of a nested effect file named in a sub-effect emitter, for the
// old (0) or the new (1) side; none when it cannot be read.
using NestedRecords = std::function<std::optional<Json>(int side, const std::string& effectFile)>;

// Both records as the record model writes them (RecordToJson). With nested
// given, nested effects readable on both sides are compared too, below
// "emitters[...].effect".
std::vector<RecordChange> DiffRecords(const Json& before, const Json& after,
                                      const NestedRecords& nested = {});

// One line: "path: 0.5 -> 0.8", "path: added {...}", "path: removed".
std::string ChangeLine(const RecordChange& change);
// The first change and how many more: "path: 0.5 -> 0.8 (+3 more)", or
// "no change to the record".
std::string ChangeSummary(const std::vector<RecordChange>& changes);

}  // namespace tavrix::record
