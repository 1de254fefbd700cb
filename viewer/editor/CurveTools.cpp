#include "CurveTools.h"

#include <imgui.h>

#include <algorithm>

#include "edit/CurveClipboard.h"
#include "edit/CurvePresets.h"
#include "edit/RecordAccess.h"

namespace tavrix::viewer::editor {

edit::KeySet CurveTools::Selected(EditorSession& session) {
  try {
    selection.KeepInside(session.track,
                         edit::TrackState(session.Record(), session.track).keys.size());
  } catch (const edit::Refusal&) {
    selection.Set(session.track, {});
  }
  return selection.KeysOf(session.track);
}

bool CurveTools::SelectKeys(EditorSession& session, edit::KeySet keys) {
  const std::string& key = session.track.key;
  size_t count = 0;
  try {
    count = edit::TrackState(session.Record(), session.track).keys.size();
  } catch (const edit::Refusal& refusal) {
    session.Report("Select keys: " + refusal.message);
    return false;
  }
  if (!keys.empty() && size_t(*keys.rbegin()) >= count) {
    session.Report(key + " has no key " + std::to_string(*keys.rbegin()) + ": its keys are 0 to " +
                   std::to_string(count - 1) + "; the selection stays as it was");
    return false;
  }
  session.Report(key + ": " + std::to_string(keys.size()) + " selected");
  selection.Set(session.track, std::move(keys));
  return true;
}

bool CurveTools::MoveSelection(EditorSession& session, double dt, double dv) {
  return session.Apply(edit::MoveKeys(session.track, Selected(session), dt, dv));
}

bool CurveTools::Copy(EditorSession& session, bool wholeCurve) {
  const edit::KeySet keys = Selected(session);
  if (!wholeCurve && keys.empty()) {
    session.Report("Copy keys: no key of " + session.track.key + " is selected");
    return false;
  }
  try {
    const edit::TrackBody body = edit::TrackState(session.Record(), session.track);
    const std::string text = wholeCurve ? edit::CurveText(body, session.track.key)
                                        : edit::KeysText(body, session.track.key, keys);
    ImGui::SetClipboardText(text.c_str());
  } catch (const edit::Refusal& refusal) {
    session.Report("Copy: " + refusal.message);
    return false;
  }
  session.Report(std::string("Copied ") + (wholeCurve ? "the curve" : "keys") + " of " +
                 session.track.key);
  return true;
}

bool CurveTools::Paste(EditorSession& session, bool wholeCurve) {
  const char* clipboard = ImGui::GetClipboardText();
  const std::string text = clipboard ? clipboard : "";
  return session.Apply(wholeCurve ? edit::PasteCurve(session.track, text)
                                  : edit::PasteKeys(session.track, text));
}

bool CurveTools::ApplyPreset(EditorSession& session, const std::string& name) {
  const edit::CurvePreset* preset = edit::FindCurvePreset(name);
  if (!preset) {
    session.Report("no preset \"" + name + "\"; there are " + edit::CurvePresetNames());
    return false;
  }
  return session.Apply(edit::ApplyPreset(session.track, *preset, presetLow, presetHigh,
                                         edit::PresetSpan(session.Record(), session.track)));
}

void CurveTools::ToggleOverlay(const edit::TrackRef& track) {
  const auto same = [&](const edit::TrackRef& shown) { return edit::SameTrack(shown, track); };
  const auto at = std::find_if(overlays.begin(), overlays.end(), same);
  if (at == overlays.end())
    overlays.push_back(track);
  else
    overlays.erase(at);
}

}  // namespace tavrix::viewer::editor
