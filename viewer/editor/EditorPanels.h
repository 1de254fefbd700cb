// The editor's panels in the viewer, all working on one editing session:
// the file menu with undo and redo, the effect, the emitters, and the
// curve editor. AddEditorPanels puts them beside the viewer's own.
#pragma once

#include <memory>
#include <string>

#include "CurveCanvas.h"
#include "EditorSession.h"
#include "Panel.h"
#include "ViewerOptions.h"

namespace tavrix::viewer::editor {

using SharedSession = std::shared_ptr<EditorSession>;

// An action that would lose the record's unsaved changes, so waits for the
// discard prompt.
struct FileAction {
  enum class Kind { None, New, Open, Quit };
  Kind kind = Kind::None;
  std::string path;  // the file to open
};

class FilePanel : public Panel {
 public:
  explicit FilePanel(SharedSession session) : session_(std::move(session)) {}
  void Draw(Viewer& viewer) override;
  // Asks before unsaved changes would be lost; true when nothing would be.
  bool MayDiscard(FileAction pendingAction);

 private:
  void MenuBar(Viewer& viewer);
  void ShortcutKeys();
  void Save();
  void SaveAsPopup();
  void DiscardPopup(Viewer& viewer);
  void Perform(const FileAction& action, Viewer& viewer);
  void PerformPending(Viewer& viewer);

  SharedSession session_;
  FileAction pending_;  // the action waiting for the discard prompt
  bool saveAsRequested_ = false;
  char saveAs_[512] = {};
  char openPath_[512] = {};
};

class EffectPanel : public Panel {
 public:
  explicit EffectPanel(SharedSession session) : session_(std::move(session)) {}
  void Draw(Viewer& viewer) override;

 private:
  SharedSession session_;
};

class EmittersPanel : public Panel {
 public:
  explicit EmittersPanel(SharedSession session) : session_(std::move(session)) {}
  void Draw(Viewer& viewer) override;

 private:
  void ListAndButtons();
  SharedSession session_;
};

class CurvePanel : public Panel {
 public:
  CurvePanel(SharedSession session, std::shared_ptr<CurveTools> tools)
      : session_(std::move(session)), tools_(std::move(tools)) {}
  void Draw(Viewer& viewer) override;

 private:
  void Shape(const edit::TrackBody& body);
  void KeyTable(const edit::TrackBody& body);
  void SelectedKey(const edit::TrackBody& body);
  SharedSession session_;
  std::shared_ptr<CurveTools> tools_;
  CurveCanvas canvas_;
};

// The editor on the viewer's first shown effect, with the options' script
// when there is one; empty, or why the script cannot run.
std::string AddEditorPanels(Viewer& viewer, const ViewerOptions& options);

}  // namespace tavrix::viewer::editor
