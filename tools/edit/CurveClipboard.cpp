#include "edit/CurveClipboard.h"

#include "edit/RecordAccess.h"
#include "edit/TrackEdits.h"
#include "record/JsonText.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

// Each key checked against the track it joins, as a typed key would be.
void AddCopiedKeys(TrackBody& body, const CopiedCurve& copied, const std::string& key) {
  for (const TrackKey& k : copied.keys) {
    CheckedNumber(k.time, 0, body.duration, "a pasted key's time on " + key);
    CheckedNumber(k.value, body.minimum, body.maximum, "a pasted value of " + key);
    if (body.AddKey(k.time, k.value) < 0)
      Refuse(key + " would hold more than " + std::to_string(TrackBody::MaximumKeys) + " keys");
  }
}

CopiedCurve ReadCopied(const Json& entry) {
  if (!entry.is_object()) Refuse("it is not a track entry (an object with \"keys\")");
  const auto keys = entry.find(record::key::Keys);
  if (keys == entry.end() || !keys->is_array()) Refuse("it has no list of \"keys\"");
  if (keys->size() > TrackBody::MaximumKeys)
    Refuse("it holds more than " + std::to_string(TrackBody::MaximumKeys) + " keys");
  CopiedCurve copied;
  if (entry.contains("cycles")) copied.cycles = FloatOf(entry["cycles"], "its \"cycles\"");
  for (const Json& key : *keys) {
    if (!key.is_object()) Refuse("a key is not an object with a time and a value");
    copied.keys.push_back({FloatOf(key.value("time", Json()), "a key's time"),
                           FloatOf(key.value("value", Json()), "a key's value")});
  }
  return copied;
}

}  // namespace

std::string CurveText(const TrackBody& body, const std::string& key) {
  return record::FormatJson(body.ToJson(key.c_str()));
}

std::string KeysText(const TrackBody& body, const std::string& key, const KeySet& keys) {
  TrackBody chosen = body;
  chosen.keys.clear();
  for (int i : keys)
    if (i >= 0 && size_t(i) < body.keys.size()) chosen.keys.push_back(body.keys[size_t(i)]);
  return CurveText(chosen, key);
}

CopiedCurve ReadCurveText(const std::string& text) {
  try {
    return ReadCopied(record::ParseJson(text));
  } catch (const record::RecordJsonError& e) {
    Refuse("the clipboard holds no curve: " + e.Describe());
  } catch (const Refusal& refusal) {
    Refuse("the clipboard holds no curve: " + refusal.message);
  }
}

Edit PasteCurve(const TrackRef& track, const std::string& text) {
  return ChangeTrack("Paste curve", "", track, [text, key = track.key](TrackBody& body) {
    const CopiedCurve copied = ReadCurveText(text);
    if (copied.cycles) body.cycles = CheckedNumber(*copied.cycles, 0.001, 1000, key + "'s cycles");
    body.keys = {TrackKey{0, body.defaultValue}};
    AddCopiedKeys(body, copied, key);
  });
}

Edit PasteKeys(const TrackRef& track, const std::string& text) {
  return ChangeTrack("Paste keys", "", track, [text, key = track.key](TrackBody& body) {
    AddCopiedKeys(body, ReadCurveText(text), key);
  });
}

}  // namespace tavrix::edit
