#include "EditorSession.h"

#include <filesystem>

#include "edit/DocumentFiles.h"
#include "edit/EffectTemplate.h"
#include "edit/RecordAccess.h"

namespace tavrix::viewer::editor {

EditorSession::EditorSession(ShownEffect& shown, const std::string& path, RecentFiles recent,
                             std::string startFolder)
    : shown_(shown),
      document_(edit::NewEffect()),
      written_(edit::StarterEffect()),
      recent_(std::move(recent)),
      startFolder_(std::move(startFolder)) {
  if (!Open(path)) Show();
}

std::string EditorSession::FromStart(const std::string& path) const {
  return (std::filesystem::path(startFolder_) / path).lexically_normal().string();
}

bool EditorSession::Apply(const edit::Edit& edit) {
  const edit::EditResult result = document_.Apply(edit);
  if (!result.accepted) {
    status_ = result.message;  // the document names the edit already
    return false;
  }
  status_ = edit.label;
  Show();
  return true;
}

bool EditorSession::Undo() {
  return MoveStep(document_.UndoLabel(), &edit::EffectDocument::Undo, "Undid ", "Nothing to undo");
}

bool EditorSession::Redo() {
  return MoveStep(document_.RedoLabel(), &edit::EffectDocument::Redo, "Redid ", "Nothing to redo");
}

// The label is a copy: the step it names leaves its history in the move.
bool EditorSession::MoveStep(std::string label, bool (edit::EffectDocument::*move)(),
                             const char* done, const char* nothing) {
  if (!(document_.*move)()) {
    status_ = nothing;
    return false;
  }
  status_ = done + label;
  Show();
  return true;
}

bool EditorSession::Select(const edit::TrackRef& ref) {
  try {
    edit::TrackState(Record(), ref);
  } catch (const edit::Refusal& refusal) {
    status_ = "Show " + ref.key + ": " + refusal.message;
    return false;
  }
  track = ref;
  if (ref.emitter >= 0) emitter = ref.emitter;
  status_ = "Showing " + ref.key;
  return true;
}

bool EditorSession::Open(const std::string& typed) {
  const std::string path = FromStart(typed);
  try {
    document_ = edit::EffectDocument(edit::OpenRecord(path, &written_));
  } catch (const edit::FileError& e) {
    status_ = e.message;
    return false;
  }
  path_ = path;
  recent_.Add(path_);
  status_ = "Opened " + path_;
  Show();
  return true;
}

void EditorSession::New() {
  document_ = edit::EffectDocument(edit::NewEffect());
  written_ = edit::StarterEffect();
  path_.clear();
  status_ = "New effect";
  Show();
}

bool EditorSession::SaveAs(const std::string& typed) {
  if (typed.empty()) {
    status_ = "Save as: the effect has no file yet";
    return false;
  }
  const std::string path = FromStart(typed);
  try {
    written_ = edit::SaveRecord(document_.Record(), path, written_);
  } catch (const edit::FileError& e) {
    status_ = e.message;
    return false;
  }
  document_.MarkSaved();
  path_ = path;
  recent_.Add(path_);
  status_ = "Saved " + path_;
  return true;
}

void EditorSession::Show() {
  KeepSelectionInside();
  try {
    if (!shown_.Replace(PackRecord(document_.Record())))
      status_ += " (not shown: " + shown_.Error() + ")";
  } catch (const SourceError& e) {
    status_ += std::string(" (not shown: ") + e.what() + ")";
  }
}

void EditorSession::KeepSelectionInside() {
  const int count = int(document_.Record().value("emitters", edit::Json::array()).size());
  if (emitter >= count) emitter = count - 1;
  if (emitter < 0) emitter = 0;
  if (track.emitter >= count) track = {-1, "ScaleLife"};
}

}  // namespace tavrix::viewer::editor
