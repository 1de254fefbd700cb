#include "edit/FieldCatalog.h"

namespace tavrix::edit {
namespace {

const char* const kEndModes[] = {"play once", "loop", "stop at the end",
                                 "stop emitting at the end"};
const char* const kSpawnShapes[] = {"point", "horizontal line", "vertical line", "box"};
const char* const kRotationModes[] = {"follow the emission direction", "fixed angle",
                                      "random angle"};

constexpr FieldScope Fx = FieldScope::Effect;
constexpr FieldScope Em = FieldScope::Emitter;
constexpr FieldScope Sub = FieldScope::SubEffect;
constexpr FieldScope Anim = FieldScope::Animation;
constexpr FieldScope Set = FieldScope::FrameSet;
constexpr FieldRule Flag = FieldRule::Flag;
constexpr FieldRule Choice = FieldRule::Choice;
constexpr FieldRule Number = FieldRule::Number;
constexpr FieldRule Whole = FieldRule::Whole;
constexpr FieldRule Index = FieldRule::Index;
constexpr FieldRule Text = FieldRule::Text;

constexpr double Far = 1e6;     // view units: positions further out are surely mistakes
constexpr double Turns = 3600;  // degrees: the angle tracks' own range
constexpr double HourMs = 3.6e6;

const FieldInfo kFields[] = {
    {Fx, "durationSeconds", "Duration (s)", "play", Number, 0.001, 86400, nullptr},
    {Fx, "endMode", "At the end", "play", Choice, 0, 3, kEndModes},
    {Fx, "frameWidth", "Frame width", "frame", Number, 0, 16384, nullptr},
    {Fx, "frameHeight", "Frame height", "frame", Number, 0, 16384, nullptr},
    {Fx, "positionX", "Position x", "frame", Number, -Far, Far, nullptr},
    {Fx, "positionY", "Position y", "frame", Number, -Far, Far, nullptr},

    {Em, "name", "Name", "general", Text, 0, 0, nullptr},
    {Em, "enabled", "Enabled", "general", Flag, 0, 1, nullptr},
    {Em, "singleParticle", "Single immortal particle", "emission", Flag, 0, 1, nullptr},
    {Em, "useEffectEmission", "Emission from the effect's tracks", "emission", Flag, 0, 1, nullptr},
    {Em, "spawnShape", "Spawn shape", "spawn shape", Choice, 0, 3, kSpawnShapes},
    {Em, "positionX", "Position x", "spawn shape", Number, -Far, Far, nullptr},
    {Em, "positionY", "Position y", "spawn shape", Number, -Far, Far, nullptr},
    {Em, "uniformSize", "Height follows width", "size and colour", Flag, 0, 1, nullptr},
    {Em, "pivotX", "Pivot x", "size and colour", Number, -10, 10, nullptr},
    {Em, "pivotY", "Pivot y", "size and colour", Number, -10, 10, nullptr},
    {Em, "rotationMode", "Rotation", "rotation", Choice, 0, 2, kRotationModes},
    {Em, "rotationOffset", "Offset from the direction", "rotation", Number, -Turns, Turns, nullptr},
    {Em, "alignToMotion", "Align to motion", "rotation", Flag, 0, 1, nullptr},
    {Em, "fixedRotation", "Fixed angle", "rotation", Number, -Turns, Turns, nullptr},
    {Em, "randomRotationCentre", "Random angle centre", "rotation", Number, -Turns, Turns, nullptr},
    {Em, "randomRotationRange", "Random angle range", "rotation", Number, 0, Turns, nullptr},
    {Em, "forceAngle", "Steady force angle", "forces", Number, -Turns, Turns, nullptr},
    {Em, "additive", "Additive blending", "blending and flags", Flag, 0, 1, nullptr},
    {Em, "reverseDrawOrder", "Newest drawn first", "blending and flags", Flag, 0, 1, nullptr},
    {Em, "useEffectOffset", "Follow the effect when it moves", "blending and flags", Flag, 0, 1,
     nullptr},
    {Anim, "cycleLength", "Cycle length (s)", "texture and frames", Number, 0.001, 3600, nullptr},
    {Anim, "loop", "Loop", "texture and frames", Flag, 0, 1, nullptr},
    {Anim, "randomStart", "Random start frame", "texture and frames", Flag, 0, 1, nullptr},
    {Set, "frameIndex", "Frame", "texture and frames", Index, 0, 4095, nullptr},

    {Sub, "name", "Name", "general", Text, 0, 0, nullptr},
    {Sub, "enabled", "Enabled", "general", Flag, 0, 1, nullptr},
    {Sub, "effectFile", "Nested effect file", "nested effect", Text, 0, 0, nullptr},
    {Sub, "positionX", "Position x", "nested effect", Number, -Far, Far, nullptr},
    {Sub, "positionY", "Position y", "nested effect", Number, -Far, Far, nullptr},
    {Sub, "startDelay", "Start delay (ms)", "nested effect", Number, 0, HourMs, nullptr},
    {Sub, "copiesMin", "Copies from", "copies", Whole, 0, 256, nullptr},
    {Sub, "copiesMax", "Copies up to (excluded, unless equal)", "copies", Whole, 0, 256, nullptr},
    {Sub, "speedMin", "Speed from", "copies", Number, 0, 1000, nullptr},
    {Sub, "speedMax", "Speed up to", "copies", Number, 0, 1000, nullptr},
    {Sub, "angleMin", "Angle from", "copies", Number, -Turns, Turns, nullptr},
    {Sub, "angleMax", "Angle up to", "copies", Number, -Turns, Turns, nullptr},
};

}  // namespace

std::vector<const FieldInfo*> FieldsOf(FieldScope scope) {
  std::vector<const FieldInfo*> fields;
  for (const FieldInfo& info : kFields)
    if (info.scope == scope) fields.push_back(&info);
  return fields;
}

const FieldInfo* FindField(FieldScope scope, std::string_view name) {
  for (const FieldInfo& info : kFields)
    if (info.scope == scope && name == info.name) return &info;
  return nullptr;
}

std::vector<FieldPair> OrderedPairs() {
  return {{Sub, "copiesMin", "copiesMax"},
          {Sub, "speedMin", "speedMax"},
          {Sub, "angleMin", "angleMax"}};
}

}  // namespace tavrix::edit
