// Keys and whole curves copied as text and pasted onto any track of any
// emitter or open effect. The text is the record model's track entry, as an
// effect's JSON holds it, so a copied curve can be pasted into a text
// editor, changed there and pasted back; text that holds no curve is
// refused with a message that says what is wrong.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edit/KeySelection.h"

namespace tavrix::edit {

// The whole curve of the track named key.
std::string CurveText(const TrackBody& body, const std::string& key);
// Only the chosen keys, in the same form.
std::string KeysText(const TrackBody& body, const std::string& key, const KeySet& keys);

struct CopiedCurve {
  std::optional<float> cycles;  // when the text gives them
  std::vector<TrackKey> keys;
};
// Refuses text that is no track entry with keys of numbers.
CopiedCurve ReadCurveText(const std::string& text);

// The copied keys (and cycles) replace the track's; its domain, range and
// default stay, and every key must fit them.
Edit PasteCurve(const TrackRef& track, const std::string& text);
// The copied keys join the track's at their own times; a key at a time the
// track has replaces that key's value.
Edit PasteKeys(const TrackRef& track, const std::string& text);

}  // namespace tavrix::edit
