#include "FieldWidgets.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "edit/FieldEdits.h"

namespace tavrix::viewer::editor {
namespace {

using edit::FieldRule;
using edit::FieldView;
using edit::Json;

// A drag crosses a wide range in a few hundred pixels, a narrow one finely.
float DragSpeed(const edit::FieldInfo& info) {
  return float(std::clamp((info.high - info.low) / 2000.0, 0.001, 1.0));
}

bool ChoiceLabel(void* choices, int index, const char** label) {
  *label = static_cast<const record::Choices*>(choices)->items[index].label;
  return true;
}

// A record read from a file may hold anything: what is no number shows as 0.
double NumberOf(const Json& value) { return value.is_number() ? value.get<double>() : 0; }

// Returns the new value when the widget changed it.
bool FieldWidget(const FieldView& field, Json& changed) {
  const edit::FieldInfo& info = *field.info;
  const char* label = info.label;
  switch (info.rule) {
    case FieldRule::Flag: {
      bool value = field.value.is_boolean() ? field.value.get<bool>() : NumberOf(field.value) != 0;
      if (!ImGui::Checkbox(label, &value)) return false;
      changed = value;
      return true;
    }
    case FieldRule::Choice: {
      int value = int(NumberOf(field.value));
      if (!ImGui::Combo(label, &value, ChoiceLabel, const_cast<record::Choices*>(info.choices),
                        info.choices->count))
        return false;
      changed = value;
      return true;
    }
    case FieldRule::Number: {
      float value = float(NumberOf(field.value));
      if (!ImGui::DragFloat(label, &value, DragSpeed(info), float(info.low), float(info.high),
                            "%.3f", ImGuiSliderFlags_AlwaysClamp))
        return false;
      changed = value;
      return true;
    }
    case FieldRule::Whole:
    case FieldRule::Index: {
      int value = int(std::lround(NumberOf(field.value)));
      if (!ImGui::DragInt(label, &value, 0.2f, int(info.low), int(info.high), "%d",
                          ImGuiSliderFlags_AlwaysClamp))
        return false;
      changed = value;
      return true;
    }
    case FieldRule::Text: {
      char text[256] = {};
      const std::string current = field.value.is_string() ? field.value.get<std::string>() : "";
      std::strncpy(text, current.c_str(), sizeof text - 1);
      if (!ImGui::InputText(label, text, sizeof text, ImGuiInputTextFlags_EnterReturnsTrue))
        return false;
      changed = std::string(text);
      return true;
    }
  }
  return false;
}

}  // namespace

void FieldGroups(EditorSession& session, int emitter) {
  const std::vector<FieldView> fields = edit::EditableFields(session.Record(), emitter);
  // Groups in the catalogue's order, each field under the first header of its group.
  std::vector<std::string> groups;
  for (const FieldView& field : fields)
    if (std::find(groups.begin(), groups.end(), field.info->group) == groups.end())
      groups.push_back(field.info->group);
  // Room for the labels, which say what a field is in an artist's words.
  ImGui::PushItemWidth(ImGui::GetWindowWidth() * 0.45f);
  for (const std::string& group : groups) {
    if (!ImGui::CollapsingHeader(group.c_str(), ImGuiTreeNodeFlags_DefaultOpen)) continue;
    for (const FieldView& field : fields) {
      if (group != field.info->group) continue;
      ImGui::PushID(field.info->name);
      Json value;
      if (FieldWidget(field, value))
        session.Apply(edit::SetField(emitter, field.info->name, value));
      // A drag of a number is one undo step.
      if (ImGui::IsItemDeactivated()) session.CloseStep();
      ImGui::PopID();
    }
  }
  ImGui::PopItemWidth();
}

void TrackList(EditorSession& session, int emitter) {
  const std::vector<edit::TrackInfo>& tracks = edit::TracksOf(edit::OwnerOf(emitter));
  const struct {
    const char* header;
    bool overLife;
  } kSets[] = {{"tracks over the effect's time", false},
               {"tracks over each particle's life", true}};
  for (const auto& set : kSets) {
    const auto inSet = [&set](const edit::TrackInfo& info) {
      return (info.time == edit::TrackTime::NormalisedAge) == set.overLife;
    };
    if (std::none_of(tracks.begin(), tracks.end(), inSet) || !ImGui::CollapsingHeader(set.header))
      continue;
    for (const edit::TrackInfo& info : tracks) {
      if (!inSet(info)) continue;
      const bool selected = session.track.emitter == emitter && session.track.key == info.key;
      if (ImGui::Selectable(info.key, selected)) session.track = {emitter, info.key};
      if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s (%s)", info.description, info.unit);
    }
  }
}

}  // namespace tavrix::viewer::editor
