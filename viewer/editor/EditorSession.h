// The effect being edited in the viewer: its document, the file it came
// from, what the panels have selected, and the shown effect that plays it.
// Every change goes through the document and then replaces the shown
// effect, so the particles follow each edit at their place and play time.
#pragma once

#include <string>

#include "RecentFiles.h"
#include "ShownEffect.h"
#include "edit/EffectDocument.h"
#include "edit/TrackBody.h"

namespace tavrix::viewer::editor {

class EditorSession {
 public:
  // Paths the user types are taken from startFolder, where the viewer
  // started: the host stands in the textures' folder while it runs.
  EditorSession(ShownEffect& shown, const std::string& path, RecentFiles recent,
                std::string startFolder);

  const edit::Json& Record() const { return document_.Record(); }
  edit::EffectDocument& Document() { return document_; }
  // False when refused; the reason is then the status.
  bool Apply(const edit::Edit& edit);
  void CloseStep() { document_.CloseStep(); }
  // False when there was nothing to take back or bring back.
  bool Undo();
  bool Redo();
  // Shows a track in the curve editor; false when the effect has no such
  // emitter or track.
  bool Select(const edit::TrackRef& track);

  // Throwing nothing: failures become the status.
  bool Open(const std::string& path);
  void New();
  bool SaveAs(const std::string& path);
  bool Save() { return SaveAs(path_); }

  const std::string& Path() const { return path_; }
  const std::string& Status() const { return status_; }
  // What a tool did without changing the record (a copy), or why it could not.
  void Report(std::string status) { status_ = std::move(status); }
  RecentFiles& Recent() { return recent_; }
  ShownEffect& Shown() { return shown_; }

  int emitter = 0;                        // selected in the emitters panel
  edit::TrackRef track{-1, "ScaleLife"};  // shown in the curve editor

 private:
  std::string FromStart(const std::string& path) const;

  bool MoveStep(std::string label, bool (edit::EffectDocument::*move)(), const char* done,
                const char* nothing);
  void Show();
  void KeepSelectionInside();

  ShownEffect& shown_;
  edit::EffectDocument document_;
  edit::Json written_;  // the JSON as its file holds it: a save keeps these fields
  std::string path_, status_;
  RecentFiles recent_;
  std::string startFolder_;
};

}  // namespace tavrix::viewer::editor
