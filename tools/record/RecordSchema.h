// The layout of a plain effect record: the runs of plain fields it stores,
// each in record order, as entries of the field table. Dumping and packing
// both walk these runs, so the JSON names and the byte order of a field can
// never disagree between the two directions. The emitter's run is the
// library's own table of stored fields, so its order is kept in one place.
#pragma once

#include <vector>

#include "record/FieldTable.h"

namespace tavrix::record {

using FieldRun = std::vector<const FieldEntry*>;

struct RecordLayout {
  FieldRun effectHeader;  // before the effect's tracks
  FieldRun effectTail;    // after the emitters
  FieldRun track;         // a track entry's name and body, before its keys
  FieldRun key;
  // A plain emitter stores magic, version, its tracks, name and corners, then
  // this run, then one of the two frame blocks.
  FieldRun emitter;
  FieldRun animationHead;  // the frameAnimation block: head, frame names and frames, tail
  FieldRun frameNames;
  FieldRun animationTail;
  FieldRun frameSetTail;  // the frameSet block: frame names and frames, tail
  FieldRun subEffect;     // after a sub-effect emitter's magic and version
};

const RecordLayout& Layout();

// The names of the lists and blocks that are not plain fields.
namespace key {
inline constexpr const char* Tracks = "tracks";
inline constexpr const char* Keys = "keys";
inline constexpr const char* KeyCount = "keyCount";
inline constexpr const char* Emitters = "emitters";
inline constexpr const char* EmitterCount = "emitterCount";
inline constexpr const char* Magic = "magic";
inline constexpr const char* Version = "version";
inline constexpr const char* Name = "name";
inline constexpr const char* Corners = "corners";
inline constexpr const char* FrameAnimation = "frameAnimation";
inline constexpr const char* FrameSet = "frameSet";
inline constexpr const char* Frames = "frames";
inline constexpr const char* FrameCount = "frameCount";
inline constexpr const char* Trailing = "trailing";
// Set by a dump whose record leaves registered tracks out: pack then adds
// none, so the bytes come back as they were.
inline constexpr const char* OnlyListedTracks = "onlyListedTracks";
inline constexpr const char* Schema = "$schema";
}  // namespace key

}  // namespace tavrix::record
