// tavrix-view: plays effect files and JSON records live in a window and
// reloads them when they change on disk. Whatever the input, it ends with a
// message and an exit code (0, 1 failed, 2 usage), never an abort.
#include <cstdio>
#include <exception>
#include <memory>

#include "OverlayPanel.h"
#include "TimelinePanel.h"
#include "Viewer.h"
#include "editor/EditorPanels.h"
#include "editor/EditorScript.h"

namespace {

int Run(int argc, char** argv) {
  using namespace tavrix::viewer;
  ViewerOptions options;
  const int parsed = ParseViewerOptions(argc, argv, options, editor::ScriptHelp());
  if (parsed >= 0) return parsed;
  try {
    Viewer viewer(options);
    viewer.AddPanel(std::make_unique<OverlayPanel>());
    viewer.AddPanel(MakeTimelinePanel());
    if (options.edit) {
      const std::string error = editor::AddEditorPanels(viewer, options);
      if (!error.empty()) {
        std::fprintf(stderr, "tavrix-view: %s\n", error.c_str());
        return 2;
      }
    }
    return viewer.Run();
  } catch (const tavrix::sdl2::HostError& e) {
    std::fprintf(stderr, "tavrix-view: %s\n", e.what());
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrix-view: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "tavrix-view: internal error: an unexpected failure\n");
  }
  return 1;
}
