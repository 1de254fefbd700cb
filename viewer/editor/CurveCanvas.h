// The curve editor's canvas: the shown track's curve with its keys, the
// tracks drawn over it on the same time axis, and the hands on it: a box or
// shift-clicks select keys, a drag moves the selection (snapped to the
// grid), a double click adds a key, a right click removes one, Ctrl+C and
// Ctrl+V copy and paste.
#pragma once

#include <imgui.h>

#include "CurveTools.h"

namespace tavrix::viewer::editor {

// The colour of the i-th track drawn over the shown one.
ImU32 OverlayColour(size_t i);

class CurveCanvas {
 public:
  void Draw(EditorSession& session, CurveTools& tools, const edit::TrackBody& body);
  struct Mapping;  // between the canvas's pixels and a track's axes

 private:
  void Press(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
             const Mapping& map);
  void Drag(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
            const Mapping& map);
  void Release(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
               const Mapping& map);
  void Paint(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
             const Mapping& map);

  int dragged_ = -1;  // the key under the pointer while the selection is dragged
  bool boxing_ = false;
  edit::TrackKey boxStart_{};
};

}  // namespace tavrix::viewer::editor
