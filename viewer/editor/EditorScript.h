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
//   select-keys I,J,...             select keys of the shown track by index
//   move-keys DT DV                 move the selection together: one undo step
//   copy-keys | copy-curve          the selection, or the whole curve, to the clipboard
//   paste-keys | paste-curve        onto the shown track
//   preset NAME LOW HIGH            constant, linear-up, linear-down, ease-in, ease-out, pulse
//   overlay EMITTER KEY             draw a track over the shown one, or stop drawing it
#pragma once

#include <string>
#include <vector>

#include "CurveTools.h"
#include "EditorSession.h"
#include "Panel.h"

namespace tavrix::viewer::editor {

struct ScriptCommand {
  std::string verb, path;  // the path, or the preset's name
  edit::TrackRef track;
  edit::KeySet keys;
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
  ScriptPanel(std::shared_ptr<EditorSession> session, std::shared_ptr<CurveTools> curves,
              std::vector<ScriptCommand> commands)
      : session_(std::move(session)), curves_(std::move(curves)), commands_(std::move(commands)) {}
  // A command that fails makes the viewer's exit code 1.
  void Draw(Viewer& viewer) override;
  bool Hideable() const override { return false; }

 private:
  std::shared_ptr<EditorSession> session_;
  std::shared_ptr<CurveTools> curves_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
};

}  // namespace tavrix::viewer::editor
