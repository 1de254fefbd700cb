#include "edit/FieldEdits.h"

#include <cmath>

#include "edit/FieldCatalog.h"
#include "edit/RecordAccess.h"
#include "record/DerivedFields.h"
#include "record/FloatText.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

using record::FloatToJson;

struct Target {
  Json* object;
  const FieldInfo* info;
};

Target FindTarget(Json& record, int emitter, const std::string& name) {
  if (emitter < 0) {
    const FieldInfo* info = FindField(FieldScope::Effect, name);
    if (!info) Refuse("\"" + name + "\" is not a field of the effect an editor changes");
    return {&record, info};
  }
  Json& object = EmitterAt(record, emitter);
  const FieldScope scope = IsSubEffect(object) ? FieldScope::SubEffect : FieldScope::Emitter;
  if (const FieldInfo* info = FindField(scope, name)) return {&object, info};
  if (scope == FieldScope::Emitter) {
    const bool animated = FlagOf(object["animated"]);
    const FieldScope block = animated ? FieldScope::Animation : FieldScope::FrameSet;
    if (const FieldInfo* info = FindField(block, name)) return {&FrameBlock(object), info};
    if (FindField(animated ? FieldScope::FrameSet : FieldScope::Animation, name))
      Refuse("\"" + name + "\" belongs to " +
             (animated ? "an emitter showing one frame" : "an animated emitter"));
  }
  Refuse("\"" + name + "\" is not a field of " + EmitterLabel(record, emitter) +
         " an editor changes");
}

Json CheckedValue(const FieldInfo& info, const Json& value, const std::string& what) {
  switch (info.rule) {
    case FieldRule::Flag:
      if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
      if (value.is_number_integer() && (value.get<int64_t>() == 0 || value.get<int64_t>() == 1))
        return value.get<int64_t>();
      Refuse(what + " takes true or false");
    case FieldRule::Choice:
      if (value.is_number_integer() && value.get<int64_t>() >= 0 &&
          value.get<int64_t>() <= int64_t(info.high))
        return value.get<int64_t>();
      Refuse(what + " takes a choice from 0 to " + NumberText(info.high));
    case FieldRule::Number:
    case FieldRule::Whole:
    case FieldRule::Index: {
      if (!value.is_number()) Refuse(what + " takes a number");
      const float number = CheckedNumber(value.get<double>(), info.low, info.high, what);
      if (info.rule == FieldRule::Number) return FloatToJson(number);
      if (std::floor(number) != number) Refuse(what + " takes a whole number");
      return info.rule == FieldRule::Index ? Json(int64_t(number)) : FloatToJson(number);
    }
    case FieldRule::Text:
      if (!value.is_string()) Refuse(what + " takes a text");
      CheckText(value.get<std::string>(), what);
      return value;
  }
  return value;
}

// The library stores these alongside the field they follow from, and does
// not recompute them when it reads the record.
void UpdateDerived(Json& object, const std::string& name) {
  if (name == "forceAngle") {
    const record::Point force = record::ForceDirection(FloatOf(object["forceAngle"], name));
    object["forceDirectionX"] = FloatToJson(force.x);
    object["forceDirectionY"] = FloatToJson(force.y);
  } else if (name == "pivotX" || name == "pivotY") {
    Json corners = Json::array();
    for (const record::Point& corner : record::PivotCorners(FloatOf(object["pivotX"], "pivotX"),
                                                            FloatOf(object["pivotY"], "pivotY")))
      corners.push_back(Json::array({FloatToJson(corner.x), FloatToJson(corner.y)}));
    object[record::key::Corners] = std::move(corners);
  }
}

void CheckOrder(const Json& object, FieldScope scope, const std::string& where) {
  for (const FieldPair& pair : OrderedPairs()) {
    if (pair.scope != scope) continue;
    const float low = FloatOf(object.value(pair.low, Json()), pair.low);
    const float high = FloatOf(object.value(pair.high, Json()), pair.high);
    if (low > high)
      Refuse(std::string(pair.low) + " (" + NumberText(low) + ") of " + where +
             " must not exceed " + pair.high + " (" + NumberText(high) + ")");
  }
}

size_t FrameCount(const Json& block) {
  const auto frames = block.find(record::key::Frames);
  return frames != block.end() && frames->is_array() ? frames->size() : 0;
}

}  // namespace

Edit SetField(int emitter, const std::string& name, const Json& value) {
  return MakeEdit("Set " + name, "set " + std::to_string(emitter) + " " + name, [=](Json& record) {
    const std::string where =
        emitter < 0 ? std::string("the effect") : EmitterLabel(record, emitter);
    Target target = FindTarget(record, emitter, name);
    (*target.object)[name] = CheckedValue(*target.info, value, name + " of " + where);
    UpdateDerived(*target.object, name);
    CheckOrder(*target.object, target.info->scope, where);
    if (target.info->scope == FieldScope::FrameSet) {
      const size_t count = FrameCount(*target.object);
      if (value.get<double>() >= double(count))
        Refuse("frame " + NumberText(value.get<double>()) + " of " + where +
               " is past its list of " + std::to_string(count) + " frames");
    }
  });
}

std::vector<FieldView> EditableFields(const Json& record, int emitter) {
  std::vector<FieldScope> scopes = {FieldScope::Effect};
  if (emitter >= 0) {
    const Json& object = EmitterAt(record, emitter);
    if (IsSubEffect(object))
      scopes = {FieldScope::SubEffect};
    else if (FlagOf(object.value("animated", Json(0))))
      scopes = {FieldScope::Emitter, FieldScope::Animation};
    else
      scopes = {FieldScope::Emitter, FieldScope::FrameSet};
  }
  std::vector<FieldView> views;
  for (FieldScope scope : scopes) {
    const bool block = scope == FieldScope::Animation || scope == FieldScope::FrameSet;
    const Json& holder = emitter < 0 ? record
                         : block     ? FrameBlock(EmitterAt(record, emitter))
                                     : EmitterAt(record, emitter);
    for (const FieldInfo* info : FieldsOf(scope))
      views.push_back({info, holder.value(info->name, Json())});
  }
  return views;
}

Edit SetAnimated(int emitter, bool animated) {
  return MakeEdit(animated ? "Animate frames" : "Show one frame", "", [=](Json& record) {
    Json& object = EmitterAt(record, emitter);
    const Json block = FrameBlock(object);
    if (FlagOf(object["animated"]) == animated) return;
    Json changed = Json::object();
    if (animated) changed = {{"cycleLength", 1}, {"loop", 1}, {"randomStart", 0}};
    for (const char* name : {"frameSetName", "textureName", record::key::Frames})
      changed[name] = block.value(name, Json());
    if (animated)
      changed["hasFollowUp"] = 0;
    else
      changed["frameIndex"] = 0;
    object.erase(animated ? record::key::FrameSet : record::key::FrameAnimation);
    object["animated"] = animated ? 1 : 0;
    object[animated ? record::key::FrameAnimation : record::key::FrameSet] = std::move(changed);
  });
}

}  // namespace tavrix::edit
