// A scripted editing session for tests and screenshots: one command a frame,
// each done through the session as the panels do it (a key dragged frame by
// frame, undo, redo, save), so that a headless run checks what an artist's
// hands would do. Commands, one a line, # starts a comment:
//   track EMITTER KEY               show a track in the curve editor (-1: the effect's)
//   drag EMITTER KEY INDEX TIME VALUE   one frame of dragging a key
//   release                         the end of a drag: one undo step
//   undo | redo
//   save PATH                       JSON or .eff by the name
//   shot PATH                       a screenshot of the next frame
//   wait                            a frame without edits
//   seek MS                         pause at the moment MS, as the timeline's cursor
#pragma once

#include <string>
#include <vector>

#include "EditorSession.h"
#include "Panel.h"

namespace tavrix::viewer::editor {

struct ScriptCommand {
  std::string verb, path;
  edit::TrackRef track;
  int index = 0;
  float time = 0, value = 0;
  int64_t ms = 0;
};

struct ScriptError {
  std::string message;
};

// Throws ScriptError naming the line that is wrong: an unknown command or
// track name, a missing word or number.
std::vector<ScriptCommand> ParseEditorScript(const std::string& text);

class ScriptPanel : public Panel {
 public:
  ScriptPanel(std::shared_ptr<EditorSession> session, std::vector<ScriptCommand> commands)
      : session_(std::move(session)), commands_(std::move(commands)) {}
  // A command that fails makes the viewer's exit code 1.
  void Draw(Viewer& viewer) override;
  bool Hideable() const override { return false; }

 private:
  std::shared_ptr<EditorSession> session_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
};

}  // namespace tavrix::viewer::editor
