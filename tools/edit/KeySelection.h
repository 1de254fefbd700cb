// Several keys of one track picked at once (a box drawn over them, or
// shift-clicks), and moving them together: the curve tools that let an
// artist reshape a curve without dragging key by key.
#pragma once

#include <set>

#include "edit/TrackBody.h"

namespace tavrix::edit {

using KeySet = std::set<int>;

bool SameTrack(const TrackRef& a, const TrackRef& b);

// Picking keys on another track starts a new selection there.
class KeySelection {
 public:
  const TrackRef& Track() const { return track_; }
  // Empty unless the selection is on that track.
  KeySet KeysOf(const TrackRef& track) const;
  void Set(const TrackRef& track, KeySet keys);
  // A shift-click: adds the key, or takes it out when it is already picked.
  void Toggle(const TrackRef& track, int index);
  // Forgets keys the track no longer has, after an undo or a removal.
  void KeepInside(const TrackRef& track, size_t keyCount);

 private:
  TrackRef track_;
  KeySet keys_;
};

// The keys inside the box with corners a and b, in either order.
KeySet KeysInBox(const TrackBody& body, TrackKey a, TrackKey b);

// A move of keys in time and value. Moves are reckoned in double from the
// keys' written values, so that a key dragged onto a point (a grid line)
// lands on that very float, and one at 1.2 moved by -0.8 on 0.4.
struct KeyShift {
  double time, value;
};

// The part of the shift by which the keys may move together: the first key
// keeps time 0, none passes a key left behind or the domain's end, and the
// values stay inside the range (keys already outside it may move back).
KeyShift AllowedShift(const TrackBody& body, const KeySet& keys, KeyShift wanted);
// Moves the keys by the allowed part of the shift. Moves of the same keys one
// after another (a drag) merge into one undo step.
Edit MoveKeys(const TrackRef& track, const KeySet& keys, double dt, double dv);

}  // namespace tavrix::edit
