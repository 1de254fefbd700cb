// tavrix-view: plays effect files and JSON records live in a window and
// reloads them when they change on disk.
#include <cstdio>
#include <memory>

#include "OverlayPanel.h"
#include "Viewer.h"
#include "editor/EditorPanels.h"

int main(int argc, char** argv) {
  using namespace tavrix::viewer;
  ViewerOptions options;
  const int parsed = ParseViewerOptions(argc, argv, options);
  if (parsed >= 0) return parsed;
  try {
    Viewer viewer(options);
    viewer.AddPanel(std::make_unique<OverlayPanel>());
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
