// The curve editor's rows of tools under the canvas: copy and paste, the
// snapping grid, presets, and the tracks drawn over the shown one.
#pragma once

#include "CurveTools.h"

namespace tavrix::viewer::editor {

void DrawClipboardAndGrid(EditorSession& session, CurveTools& tools);
void DrawPresets(EditorSession& session, CurveTools& tools);
// Each drawn track's name in its colour: a click edits it (the shown one
// takes its place in the list), x stops drawing it.
void DrawOverlayList(EditorSession& session, CurveTools& tools);

}  // namespace tavrix::viewer::editor
