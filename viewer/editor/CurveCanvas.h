// The curve editor's canvas: the shown track's curve with its keys, the
// tracks drawn over it on the same time axis, and the hands on it: a box or
// shift-clicks select keys, a drag moves the selection (snapped to the
// grid), a double click adds a key, a right click removes one, Ctrl+C and
// Ctrl+V copy and paste, the wheel zooms the time axis. It opens on the
// keys' own times.
#pragma once

#include <imgui.h>

#include "CurveTools.h"
#include "edit/CurveView.h"

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
  // The span shown, opened anew on another track or when asked.
  edit::TimeSpan View(EditorSession& session, const edit::TrackBody& body);
  void Zoom(const edit::TrackBody& body, const Mapping& map);
  void ViewButtons(const edit::TrackBody& body);

  edit::TrackRef viewed_;  // the track view_ was opened on
  edit::TimeSpan view_;
  bool opened_ = false;
  int dragged_ = -1;  // the key under the pointer while the selection is dragged
  bool boxing_ = false;
  edit::TrackKey boxStart_{};
};

}  // namespace tavrix::viewer::editor
