// The widgets the effect and emitter panels share: one for each kind of
// field the catalogue describes, fields shown under their group's header,
// and the list of tracks that opens one in the curve editor.
#pragma once

#include "EditorSession.h"
#include "edit/TrackCatalog.h"

namespace tavrix::viewer::editor {

// Every field of the effect (emitter -1) or of an emitter, group by group.
void FieldGroups(EditorSession& session, int emitter);
// The owner's tracks, those set at birth apart from those over a
// particle's life; a click selects one for the curve editor.
void TrackList(EditorSession& session, int emitter);

}  // namespace tavrix::viewer::editor
