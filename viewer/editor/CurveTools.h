// What the curve editor's tools keep between frames, shared by the curve
// panel and the editor script so that a script does what the panel's hands
// do: the selected keys, the snapping grid, the tracks drawn over the shown
// one, and the values a preset runs between. Every change of the record
// goes through the editing session.
#pragma once

#include <string>
#include <vector>

#include "EditorSession.h"
#include "edit/CurveGrid.h"
#include "edit/KeySelection.h"

namespace tavrix::viewer::editor {

struct CurveTools {
  edit::KeySelection selection;
  edit::CurveGrid grid;
  std::vector<edit::TrackRef> overlays;
  float presetLow = 0, presetHigh = 1;

  // The shown track's selected keys that it still has.
  edit::KeySet Selected(EditorSession& session);
  // Each false when refused or impossible, changing nothing; the session's
  // status says why.
  bool SelectKeys(EditorSession& session, edit::KeySet keys);
  // One frame of a drag, or a whole move when the step is closed after it.
  bool MoveSelection(EditorSession& session, double dt, double dv);
  // The selected keys, or the whole curve, onto the system's clipboard.
  bool Copy(EditorSession& session, bool wholeCurve);
  bool Paste(EditorSession& session, bool wholeCurve);
  bool ApplyPreset(EditorSession& session, const std::string& name);
  // Draws the track over the shown one, or stops drawing it.
  void ToggleOverlay(const edit::TrackRef& track);
};

}  // namespace tavrix::viewer::editor
