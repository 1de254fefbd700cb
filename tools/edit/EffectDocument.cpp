#include "edit/EffectDocument.h"

#include <exception>

namespace tavrix::edit {

EffectDocument::EffectDocument(Json record) : record_(std::move(record)) {}

EditResult EffectDocument::Apply(const Edit& edit) {
  Json changed = record_;
  std::string refusal;
  try {
    refusal = edit.change(changed);
  } catch (const std::exception& e) {
    // A record opened from a file holds shapes no edit expected.
    refusal = e.what();
  }
  if (refusal.empty()) {
    // The record must still be one the library can read: the last guard
    // against an edit that checked too little.
    try {
      record::RecordFromJson(changed);
    } catch (const record::RecordJsonError& e) {
      refusal = e.Describe();
    }
  }
  if (!refusal.empty()) return {false, edit.label + ": " + refusal};
  const bool merge =
      mergeOpen_ && !edit.mergeTag.empty() && edit.mergeTag == openTag_ && !undo_.empty();
  if (!merge) {
    undo_.push_back({edit.label, std::move(record_), state_});
    if (undo_.size() > MaximumSteps) undo_.erase(undo_.begin());
  }
  redo_.clear();
  openTag_ = edit.mergeTag;
  mergeOpen_ = !edit.mergeTag.empty();
  Become(std::move(changed), nextState_++);
  return {true, ""};
}

const std::string& EffectDocument::UndoLabel() const {
  static const std::string none;
  return undo_.empty() ? none : undo_.back().label;
}

const std::string& EffectDocument::RedoLabel() const {
  static const std::string none;
  return redo_.empty() ? none : redo_.back().label;
}

bool EffectDocument::Undo() { return MoveStep(undo_, redo_); }

bool EffectDocument::Redo() { return MoveStep(redo_, undo_); }

// The latest step of one history becomes the record; the record it replaces
// goes on the other history under the same label.
bool EffectDocument::MoveStep(std::vector<Step>& from, std::vector<Step>& to) {
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  to.push_back({step.label, std::move(record_), state_});
  mergeOpen_ = false;
  Become(std::move(step.record), step.state);
  return true;
}

void EffectDocument::Become(Json record, uint64_t state) {
  record_ = std::move(record);
  state_ = state;
  ++revision_;
}

}  // namespace tavrix::edit
