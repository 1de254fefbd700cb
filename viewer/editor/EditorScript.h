// A scripted editing session for tests, screenshots and batch edits: one
// command a frame, each done through the session as the panels do it (a key
// dragged frame by frame, undo, redo, save), so that a headless run checks
// what an artist's hands would do. One command a line, # starts a comment;
// ScriptHelp lists the commands with their arguments.
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
  double time = 0, value = 0;
  int64_t ms = 0;
  int line = 0;  // in the script, for messages
};

struct ScriptError {
  std::string message;
};

// Throws ScriptError naming the line that is wrong and what it expects: an
// unknown command or track name, a word too many or too few, a word that is
// not what its place takes. Relative paths are taken from folder.
std::vector<ScriptCommand> ParseEditorScript(const std::string& text, const std::string& folder);

// Every command with its arguments and what it does, one a line, for --help.
std::string ScriptHelp();

class ScriptPanel : public Panel {
 public:
  // With endsRun the viewer closes once the last command has shown.
  ScriptPanel(std::shared_ptr<EditorSession> session, std::shared_ptr<CurveTools> curves,
              std::vector<ScriptCommand> commands, bool endsRun)
      : session_(std::move(session)),
        curves_(std::move(curves)),
        commands_(std::move(commands)),
        endsRun_(endsRun) {}
  // A command that fails makes the viewer's exit code 1.
  void Draw(Viewer& viewer) override;
  bool Hideable() const override { return false; }

 private:
  std::shared_ptr<EditorSession> session_;
  std::shared_ptr<CurveTools> curves_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
  bool endsRun_;
};

}  // namespace tavrix::viewer::editor
