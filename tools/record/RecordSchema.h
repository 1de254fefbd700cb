// The layout of a plain effect record as tables of named fields. Dumping and
// packing both walk these tables, so the JSON names and the byte order of a
// field can never disagree between the two directions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix::record {

enum class FieldKind { Float, Int32, UInt32, Flag, Text, Tag };

// The kind as the reference names it and the JSON Schema's definitions are
// called.
inline const char* FieldKindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Float: return "float";
    case FieldKind::Int32: return "int32";
    case FieldKind::UInt32: return "uint32";
    case FieldKind::Flag: return "flag";
    case FieldKind::Text: return "text";
    case FieldKind::Tag: return "tag";
  }
  return "";
}

struct FieldDesc {
  const char* name;
  FieldKind kind;
};

inline constexpr FieldDesc EffectHeaderFields[] = {
    {"tag", FieldKind::Tag},
    {"version", FieldKind::Int32},
};

inline constexpr FieldDesc EffectTailFields[] = {
    {"positionX", FieldKind::Float},    {"positionY", FieldKind::Float},
    {"frameWidth", FieldKind::Float},   {"frameHeight", FieldKind::Float},
    {"running", FieldKind::Flag},       {"elapsedSeconds", FieldKind::Float},
    {"stopping", FieldKind::Flag},      {"endMode", FieldKind::Int32},
    {"durationSeconds", FieldKind::Float},
};

// A track entry: its key name, then the body before the keys.
inline constexpr FieldDesc TrackFields[] = {
    {"name", FieldKind::Text},     {"cycles", FieldKind::Float}, {"duration", FieldKind::Float},
    {"boundA", FieldKind::Float},  {"boundB", FieldKind::Float}, {"default", FieldKind::Float},
};

inline constexpr FieldDesc KeyFields[] = {
    {"time", FieldKind::Float},
    {"value", FieldKind::Float},
};

// Emitter fields 7 to 32, between the corners and the frame block.
inline constexpr FieldDesc EmitterFields[] = {
    {"emissionBacklog", FieldKind::Float},      {"enabled", FieldKind::Flag},
    {"uniformSize", FieldKind::Flag},           {"forceDirectionX", FieldKind::Float},
    {"forceDirectionY", FieldKind::Float},      {"forceAngle", FieldKind::Float},
    {"rotationMode", FieldKind::Int32},         {"rotationOffset", FieldKind::Float},
    {"alignToMotion", FieldKind::Flag},         {"randomRotationCentre", FieldKind::Float},
    {"randomRotationRange", FieldKind::Float},  {"fixedRotation", FieldKind::Float},
    {"spawnShape", FieldKind::Int32},           {"pivotX", FieldKind::Float},
    {"pivotY", FieldKind::Float},               {"useEffectEmission", FieldKind::Flag},
    {"effectRotation", FieldKind::Flag},        {"additive", FieldKind::Flag},
    {"singleParticle", FieldKind::Flag},        {"useEffectOffset", FieldKind::Flag},
    {"reservedFlag", FieldKind::Flag},          {"positionX", FieldKind::Float},
    {"positionY", FieldKind::Float},            {"reverseDrawOrder", FieldKind::Flag},
    {"stopped", FieldKind::Flag},               {"animated", FieldKind::Flag},
};

inline constexpr FieldDesc AnimationHeadFields[] = {
    {"cycleLength", FieldKind::Float},
    {"loop", FieldKind::Flag},
    {"randomStart", FieldKind::Flag},
};
inline constexpr FieldDesc FrameNameFields[] = {
    {"frameSetName", FieldKind::Text},
    {"textureName", FieldKind::Text},
};
inline constexpr FieldDesc AnimationTailFields[] = {{"hasFollowUp", FieldKind::Flag}};
inline constexpr FieldDesc FrameSetTailFields[] = {{"frameIndex", FieldKind::UInt32}};

inline constexpr FieldDesc SubEffectFields[] = {
    {"name", FieldKind::Text},        {"enabled", FieldKind::Flag},
    {"positionX", FieldKind::Float},  {"positionY", FieldKind::Float},
    {"startDelay", FieldKind::Float}, {"effectFile", FieldKind::Text},
    {"copiesMin", FieldKind::Float},  {"copiesMax", FieldKind::Float},
    {"speedMin", FieldKind::Float},   {"speedMax", FieldKind::Float},
    {"angleMin", FieldKind::Float},   {"angleMax", FieldKind::Float},
};

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
inline constexpr const char* Schema = "$schema";
}  // namespace key

}  // namespace tavrix::record
