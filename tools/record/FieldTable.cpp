#include "record/FieldTable.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace tavrix::record {
namespace {

const Choice kEndModes[] = {{"ReportOnce", "report the end once"},
                            {"Loop", "loop"},
                            {"KillAtEnd", "stop at once"},
                            {"FadeAtEnd", "stop emitting and let particles fade"}};
// A choice the library and the artist call alike.
constexpr Choice Named(const char* words) { return {words, words}; }

const Choice kSpawnShapes[] = {Named("point"), Named("horizontal line"), Named("vertical line"),
                               Named("box")};
const Choice kRotationModes[] = {Named("follow the emission direction"), Named("fixed angle"),
                                 Named("random angle")};

constexpr FieldBlock Fx = FieldBlock::Effect;
constexpr FieldBlock Em = FieldBlock::Emitter;
constexpr FieldBlock Fr = FieldBlock::Frames;
constexpr FieldBlock Sub = FieldBlock::SubEffect;
constexpr FieldBlock Tr = FieldBlock::Track;
constexpr FieldBlock Key = FieldBlock::Key;
using K = FieldKind;
constexpr FieldRule Number = FieldRule::Number;
constexpr FieldRule Whole = FieldRule::Whole;
constexpr FieldRule Index = FieldRule::Index;
constexpr FieldRule Text = FieldRule::Text;

constexpr double Far = 1e6;     // view units: positions further out are surely mistakes
constexpr double Turns = 3600;  // degrees: the angle tracks' own range
constexpr double HourMs = 3.6e6;

// What a field left out takes: this JSON value, what it is worked out from,
// or nothing.
constexpr Absent Is(const char* json) { return {Omitted::Value, json}; }
constexpr Absent From(const char* fields) { return {Omitted::Derived, fields}; }
constexpr Absent Required = {};

// How the editor offers a field: its label, its group and what it accepts.
constexpr FieldEditing Offer(const char* label, const char* group, FieldRule rule, double low = 0,
                             double high = 0) {
  return {label, group, rule, low, high, nullptr};
}

// A flag is offered as a box to tick: false or true, stored as 0 or 1.
constexpr FieldEditing Toggle(const char* label, const char* group) {
  return Offer(label, group, FieldRule::Flag, 0, 1);
}

// A position and an angle take every value short of a mistake.
constexpr FieldEditing Place(const char* label, const char* group) {
  return Offer(label, group, Number, -Far, Far);
}
constexpr FieldEditing Angle(const char* label, const char* group) {
  return Offer(label, group, Number, -Turns, Turns);
}

// A choice field takes the values its list names.
FieldEditing Chosen(const char* label, const char* group, const Choices& choices) {
  return {label, group, FieldRule::Choice, 0, double(choices.count - 1), &choices};
}

std::vector<FieldEntry> Table() {
  const std::string endModes =
      "what happens after durationSeconds: " + ChoiceListing(EndModes, &Choice::label) +
      "; other values do nothing";
  return {
      {Fx, "durationSeconds", K::Float, Is("0"), "length of one play", "seconds",
       Offer("Duration (s)", "play", Number, 0.001, 86400)},
      {Fx, "endMode", K::Int32, Is("0"), endModes, "0 to 3",
       Chosen("At the end", "play", EndModes)},
      {Fx, "frameWidth", K::Float, Is("0"),
       "width of the effect's frame, a rectangle centred on it; spawn shapes 1 to 3 spread over it",
       "view units", Offer("Frame width", "frame", Number, 0, 16384)},
      {Fx, "frameHeight", K::Float, Is("0"), "height of the effect's frame", "view units",
       Offer("Frame height", "frame", Number, 0, 16384)},
      {Fx, "positionX", K::Float, Is("0"),
       "the effect's position; the host's SetEffectPosition replaces it", "view units",
       Place("Position x", "frame")},
      {Fx, "positionY", K::Float, Is("0"), "the effect's position, downwards", "view units",
       Place("Position y", "frame")},
      {Fx, "tag", K::Tag, Is("\"TVPS\""), "record tag, the letters \"TVPS\"", ""},
      {Fx, "version", K::Int32, Is("1"), "record version", ""},
      {Fx, "running", K::Flag, Is("0"),
       "stored while playing: the effect comes back playing and replays elapsedSeconds", ""},
      {Fx, "elapsedSeconds", K::Float, Is("0"), "time since the effect was started", "seconds"},
      {Fx, "tracks", K::List, From("every track at its default"), "the effect tracks", ""},
      {Fx, "emitters", K::List, Is("[]"), "the emitters, drawn from the last to the first", ""},
      {Fx, "stopping", K::Flag, Is("0"), "emission stopped; the effect ends with its last particle",
       ""},

      {Em, "name", K::Text, Is("\"\""), "the emitter's name; empty ones become \"Emitter_N\"", "",
       Offer("Name", "general", Text)},
      {Em, "enabled", K::Flag, Is("1"), "a disabled emitter neither updates nor draws", "",
       Toggle("Enabled", "general")},
      {Em, "singleParticle", K::Flag, Is("0"),
       "one immortal, motionless particle at the emitter's position instead of emission", "",
       Toggle("Single immortal particle", "emission")},
      {Em, "useEffectEmission", K::Flag, Is("1"),
       "emission force, angle and arc come from the effect's tracks", "",
       Toggle("Emission from the effect's tracks", "emission")},
      {Em, "spawnShape", K::Int32, Is("0"),
       "where particles appear: 0 a point, 1 a horizontal line, 2 a vertical line, 3 a box, over "
       "the effect's frame; other values a point",
       "0 to 3", Chosen("Spawn shape", "spawn shape", SpawnShapes)},
      {Em, "positionX", K::Float, Is("0"),
       "where the emitter's particles appear: relative to the effect's position when "
       "useEffectOffset is set, else from the view's left edge",
       "view units", Place("Position x", "spawn shape")},
      {Em, "positionY", K::Float, Is("0"),
       "where the emitter's particles appear, positive down the view like every y: relative to the "
       "effect's position when useEffectOffset is set, else from the view's top edge",
       "view units", Place("Position y", "spawn shape")},
      {Em, "uniformSize", K::Flag, Is("1"),
       "the height follows the width (BaseY, VarY and LifeY unused)", "",
       Toggle("Height follows width", "size and colour")},
      {Em, "pivotX", K::Float, Is("0.5"), "pivot across the quad (the corners are what draws)",
       "0 to 1", Offer("Pivot x", "size and colour", Number, -10, 10)},
      {Em, "pivotY", K::Float, Is("0.5"), "pivot down the quad", "0 to 1",
       Offer("Pivot y", "size and colour", Number, -10, 10)},
      {Em, "rotationMode", K::Int32, Is("1"),
       "a particle's start angle: 0 the emission direction plus rotationOffset, 1 fixedRotation, 2 "
       "random around randomRotationCentre; other values start unrotated",
       "0 to 2", Chosen("Rotation", "rotation", RotationModes)},
      {Em, "rotationOffset", K::Float, Is("0"),
       "added to the emission direction in rotation mode 0", "degrees",
       Angle("Offset from the direction", "rotation")},
      {Em, "alignToMotion", K::Flag, Is("0"), "in rotation mode 0 the quad turns with its velocity",
       "", Toggle("Align to motion", "rotation")},
      {Em, "fixedRotation", K::Float, Is("0"), "start angle in rotation mode 1", "degrees",
       Angle("Fixed angle", "rotation")},
      {Em, "randomRotationCentre", K::Float, Is("0"),
       "centre of the random start angle in rotation mode 2", "degrees",
       Angle("Random angle centre", "rotation")},
      {Em, "randomRotationRange", K::Float, Is("360"),
       "full width of the random start angle in rotation mode 2", "degrees",
       Offer("Random angle range", "rotation", Number, 0, Turns)},
      {Em, "forceAngle", K::Float, Is("0"),
       "angle of the steady force (0 up, 90 right), kept for editing: the library pushes along "
       "forceDirectionX/Y and never recomputes them from it",
       "degrees", Angle("Steady force angle", "forces")},
      {Em, "additive", K::Flag, Is("0"), "additive blending instead of alpha blending", "",
       Toggle("Additive blending", "blending and flags")},
      {Em, "reverseDrawOrder", K::Flag, Is("0"), "draw the newest particles first", "",
       Toggle("Newest drawn first", "blending and flags")},
      {Em, "useEffectOffset", K::Flag, Is("0"),
       "particles are drawn displaced by the effect's position", "",
       Toggle("Follow the effect when it moves", "blending and flags")},
      {Em, "magic", K::Tag, Is("\"ET2D\""), "record tag, the letters \"ET2D\"", ""},
      {Em, "tracks", K::List, From("every track at its default"), "the emitter tracks", ""},
      {Em, "frameSet", K::List, Is("{} (every field at its default)"),
       "the frame block: frameSet, or frameAnimation when animated is set", ""},
      {Em, "version", K::UInt32, Is("1"), "record version; below 1 the library refuses the effect",
       ""},
      {Em, "corners", K::List, From("pivotX and pivotY"),
       "the quad's corners around the particle, in units of its width and height, before rotation: "
       "the pivot stored as corners",
       "[x, y] x 4"},
      {Em, "emissionBacklog", K::Float, Is("0"), "emission time not yet turned into particles",
       "seconds"},
      {Em, "forceDirectionX", K::Float, From("sin of forceAngle"),
       "direction of the steady force: this stored vector, not forceAngle, is what pushes the "
       "particles; the library never recomputes it",
       "unit vector"},
      {Em, "forceDirectionY", K::Float, From("-cos of forceAngle"),
       "direction of the steady force, positive down the view; stored and used as is",
       "unit vector"},
      {Em, "effectRotation", K::Flag, Is("0"),
       "kept in the record; effects hold no rotation, so it changes nothing", ""},
      {Em, "reservedFlag", K::Flag, Is("0"), "kept in the record, no effect", ""},
      {Em, "stopped", K::Flag, Is("0"), "emission stopped; live particles run on", ""},
      {Em, "animated", K::Flag, Is("0"),
       "particles run through the frames (frameAnimation block) instead of showing one (frameSet "
       "block)",
       ""},

      {Fr, "cycleLength", K::Float, Is("0"), "time to run through all frames once", "seconds",
       Offer("Cycle length (s)", "texture and frames", Number, 0.001, 3600)},
      {Fr, "loop", K::Flag, Is("0"), "start again after the last frame", "",
       Toggle("Loop", "texture and frames")},
      {Fr, "randomStart", K::Flag, Is("0"), "each particle starts at a random point of the cycle",
       "", Toggle("Random start frame", "texture and frames")},
      {Fr, "frameIndex", K::UInt32, Is("0"),
       "the frame every particle shows; past the list, the whole texture", "index from 0",
       Offer("Frame", "texture and frames", Index, 0, 4095)},
      {Fr, "frameSetName", K::Text, Is("\"\""),
       "name the frames are shared by: emitters naming the same frame set add to one list", ""},
      {Fr, "textureName", K::Text, Is("\"\""),
       "texture file under image\\ of the folder the effect is played from; missing, particles "
       "draw untextured on a device and not at all through a host's image loader",
       ""},
      {Fr, "frames", K::List, Is("[]"), "texture rectangles [uLeft, vTop, uRight, vBottom]",
       "texture coordinates, 0 to 1"},
      {Fr, "hasFollowUp", K::Flag, Is("0"), "kept in the record, no effect", ""},

      {Sub, "name", K::Text, Is("\"\""), "the emitter's name", "", Offer("Name", "general", Text)},
      {Sub, "enabled", K::Flag, Is("1"),
       "a disabled sub-effect emitter still starts its copies but neither advances nor draws them",
       "", Toggle("Enabled", "general")},
      {Sub, "effectFile", K::Text, Is("\"\""),
       "nested effect file, relative to the folder the effect is played from", "",
       Offer("Nested effect file", "nested effect", Text)},
      {Sub, "positionX", K::Float, Is("0"), "position handed to every emitter of every copy",
       "view units", Place("Position x", "nested effect")},
      {Sub, "positionY", K::Float, Is("0"), "position handed to every emitter of every copy",
       "view units", Place("Position y", "nested effect")},
      {Sub, "startDelay", K::Float, Is("0"), "time before the copies start", "milliseconds",
       Offer("Start delay (ms)", "nested effect", Number, 0, HourMs)},
      {Sub, "copiesMin", K::Float, Is("0"), "fewest copies of the nested effect", "copies",
       Offer("Copies from", "copies", Whole, 0, 256)},
      {Sub, "copiesMax", K::Float, Is("0"),
       "bound of the copies, excluded (min 1, max 3 give 1 or 2); at most 256", "copies",
       Offer("Copies up to (excluded, unless equal)", "copies", Whole, 0, 256)},
      {Sub, "speedMin", K::Float, Is("0"),
       "lowest base speed given to a copy's emitters (steps of 0.01)", "speed factor",
       Offer("Speed from", "copies", Number, 0, 1000)},
      {Sub, "speedMax", K::Float, Is("0"), "bound of the base speed", "speed factor",
       Offer("Speed up to", "copies", Number, 0, 1000)},
      {Sub, "angleMin", K::Float, Is("0"),
       "lowest base emission angle given to a copy's emitters (steps of 0.01)", "degrees",
       Angle("Angle from", "copies")},
      {Sub, "angleMax", K::Float, Is("0"), "bound of the base emission angle", "degrees",
       Angle("Angle up to", "copies")},
      {Sub, "version", K::UInt32, Is("1"), "record version; below 1 the library refuses the effect",
       ""},

      {Tr, "name", K::Text, Required, "the track's key; letter case is ignored", ""},
      {Tr, "cycles", K::Float, Is("1"), "how many times the keys run over the domain", ""},
      {Tr, "duration", K::Float, From("the track's own"),
       "the domain: keys lie between 0 and it; 0 or less becomes 1", "the track's time"},
      {Tr, "boundA", K::Float, From("the track's minimum"),
       "one end of the range drawn values are clamped to", ""},
      {Tr, "boundB", K::Float, From("the track's maximum"),
       "the other end; equal ends become a range of 0.001", ""},
      {Tr, "default", K::Float, From("the track's own"),
       "the value of the key at time 0 when no key is stored there; outside the range, the minimum",
       ""},
      {Tr, "keys", K::List, From("one key (0, default)"),
       "{time, value} pairs, straight lines between them; keys past the domain or the 1,024th are "
       "dropped",
       ""},
      {Key, "time", K::Float, Required, "where the key lies on the track's domain",
       "the track's time"},
      {Key, "value", K::Float, Required, "the track's value at that time", ""},
  };
}

}  // namespace

const char* FieldKindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Float: return "float";
    case FieldKind::Int32: return "int32";
    case FieldKind::UInt32: return "uint32";
    case FieldKind::Flag: return "flag";
    case FieldKind::Text: return "text";
    case FieldKind::Tag: return "tag";
    case FieldKind::List: return "list";
  }
  return "";
}

const Choices EndModes = {kEndModes, int(std::size(kEndModes))};
const Choices SpawnShapes = {kSpawnShapes, int(std::size(kSpawnShapes))};
const Choices RotationModes = {kRotationModes, int(std::size(kRotationModes))};

std::string NumberedChoice(const Choices& choices, int64_t value, const char* Choice::*words,
                           const char* unknown) {
  const std::string number = std::to_string(value);
  if (value < 0 || value >= choices.count) return number + unknown;
  return number + " " + choices.items[value].*words;
}

std::string ChoiceListing(const Choices& choices, const char* Choice::*words) {
  std::string listing;
  for (int i = 0; i < choices.count; ++i)
    listing += (i ? ", " : "") + NumberedChoice(choices, i, words, "");
  return listing;
}

const std::vector<FieldEntry>& FieldEntries() {
  static const std::vector<FieldEntry> entries = Table();
  return entries;
}

const FieldEntry& FieldOf(FieldBlock block, std::string_view name) {
  for (const FieldEntry& entry : FieldEntries())
    if (entry.block == block && name == entry.name) return entry;
  throw std::logic_error("no entry in the field table for " + std::string(name));
}

}  // namespace tavrix::record
