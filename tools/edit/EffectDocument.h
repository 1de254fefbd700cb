// An effect being edited: the record in the record model's JSON, changed
// only through edits, each checked before it is applied, with undo and redo.
// A refused edit leaves the record as it was and says why.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::edit {

using record::Json;

// One change: it works on a copy of the record and returns an empty text
// when it applied itself, or the reason it refuses.
struct Edit {
  std::string label;
  // Edits with the same non-empty tag, one after another, make one undo
  // step (a key dragged over many frames), until the step is closed.
  std::string mergeTag;
  std::function<std::string(Json& record)> change;
};

struct EditResult {
  bool accepted;
  std::string message;
};

class EffectDocument {
 public:
  explicit EffectDocument(Json record);

  const Json& Record() const { return record_; }
  EditResult Apply(const Edit& edit);
  // Ends the running merge, so the next edit is a step of its own.
  void CloseStep() { mergeOpen_ = false; }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The label of the step that Undo or Redo would take back or bring back.
  const std::string& UndoLabel() const;
  const std::string& RedoLabel() const;
  bool Undo();
  bool Redo();

  // Counts every change of the record, undo and redo included: a viewer
  // reloads its effect when it moves.
  uint64_t Revision() const { return revision_; }
  // Whether the record differs from the one last marked saved.
  bool Modified() const { return state_ != savedState_; }
  void MarkSaved() { savedState_ = state_; }

  // Each step holds a whole record: the oldest go, so a long session stays
  // within bounded memory.
  static constexpr size_t MaximumSteps = 200;

 private:
  struct Step {
    std::string label;
    Json record;
    uint64_t state;
  };
  bool MoveStep(std::vector<Step>& from, std::vector<Step>& to);
  void Become(Json record, uint64_t state);

  Json record_;
  std::vector<Step> undo_, redo_;
  std::string openTag_;
  bool mergeOpen_ = false;
  uint64_t revision_ = 0, state_ = 0, savedState_ = 0, nextState_ = 1;
};

}  // namespace tavrix::edit
