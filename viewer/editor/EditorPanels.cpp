#include "EditorPanels.h"

#include <fstream>
#include <sstream>

#include "EditorScript.h"
#include "TexturePanel.h"
#include "Viewer.h"

namespace tavrix::viewer::editor {

std::string AddEditorPanels(Viewer& viewer, const ViewerOptions& options) {
  std::vector<ScriptCommand> script;
  const bool scripted = !options.editScript.empty();
  if (scripted) {
    std::ifstream in(options.editScript);
    if (!in) return "cannot read the script " + options.editScript;
    std::ostringstream text;
    text << in.rdbuf();
    try {
      script = ParseEditorScript(text.str(), options.startFolder);
    } catch (const ScriptError& e) {
      return options.editScript + ": " + e.message;
    }
  }
  auto session =
      std::make_shared<EditorSession>(viewer.Effects().front(), options.files.front(),
                                      RecentFiles(DefaultRecentListPath()), options.startFolder);
  auto files = std::make_unique<FilePanel>(session);
  FilePanel* prompt = files.get();
  viewer.SetQuitGuard([prompt] { return prompt->MayDiscard({FileAction::Kind::Quit, {}}); });
  viewer.AddPanel(std::move(files));
  viewer.AddPanel(std::make_unique<EffectPanel>(session));
  viewer.AddPanel(std::make_unique<EmittersPanel>(session));
  auto curves = std::make_shared<CurveTools>();
  viewer.AddPanel(std::make_unique<CurvePanel>(session, curves));
  viewer.AddPanel(std::make_unique<TexturePanel>(session, options.roots.front() + "/image"));
  // Without a number of frames the run ends with its script.
  if (scripted)
    viewer.AddPanel(
        std::make_unique<ScriptPanel>(session, curves, std::move(script), options.frames == 0));
  return {};
}

}  // namespace tavrix::viewer::editor
