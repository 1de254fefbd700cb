// The layout of a plain effect record as tables of named fields. Dumping and
// packing both walk these tables, so the JSON names and the byte order of a
// field can never disagree between the two directions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

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

// What a field left out of the JSON takes. A value is JSON text; a derived
// default is worked out from other fields as the library would, and its text
// says from what. Required fields have no default.
enum class Omitted { Required, Value, Derived };

struct FieldDesc {
  const char* name;
  FieldKind kind;
  Omitted omitted = Omitted::Required;
  const char* byDefault = "";
};

constexpr FieldDesc Field(const char* name, FieldKind kind, const char* value) {
  return {name, kind, Omitted::Value, value};
}
constexpr FieldDesc DerivedField(const char* name, FieldKind kind, const char* from) {
  return {name, kind, Omitted::Derived, from};
}

inline constexpr FieldDesc EffectHeaderFields[] = {
    Field("tag", FieldKind::Tag, "\"TVPS\""),
    Field("version", FieldKind::Int32, "1"),
};

inline constexpr FieldDesc EffectTailFields[] = {
    Field("positionX", FieldKind::Float, "0"),    Field("positionY", FieldKind::Float, "0"),
    Field("frameWidth", FieldKind::Float, "0"),   Field("frameHeight", FieldKind::Float, "0"),
    Field("running", FieldKind::Flag, "0"),       Field("elapsedSeconds", FieldKind::Float, "0"),
    Field("stopping", FieldKind::Flag, "0"),      Field("endMode", FieldKind::Int32, "0"),
    Field("durationSeconds", FieldKind::Float, "0"),
};

// A track entry: its key name, then the body before the keys. The body left
// out is the library's own for that key.
inline constexpr FieldDesc TrackFields[] = {
    {"name", FieldKind::Text},
    Field("cycles", FieldKind::Float, "1"),
    DerivedField("duration", FieldKind::Float, "the track's own"),
    DerivedField("boundA", FieldKind::Float, "the track's minimum"),
    DerivedField("boundB", FieldKind::Float, "the track's maximum"),
    DerivedField("default", FieldKind::Float, "the track's own"),
};

inline constexpr FieldDesc KeyFields[] = {
    {"time", FieldKind::Float},
    {"value", FieldKind::Float},
};

inline constexpr FieldDesc EmitterMagicField = Field("magic", FieldKind::Tag, "\"ET2D\"");
inline constexpr FieldDesc SubEffectMagicField = {"magic", FieldKind::Tag};
inline constexpr FieldDesc EmitterVersionField = Field("version", FieldKind::UInt32, "1");
inline constexpr FieldDesc EmitterNameField = Field("name", FieldKind::Text, "\"\"");

// Emitter fields 7 to 32, between the corners and the frame block.
inline constexpr FieldDesc EmitterFields[] = {
    Field("emissionBacklog", FieldKind::Float, "0"),
    Field("enabled", FieldKind::Flag, "1"),
    Field("uniformSize", FieldKind::Flag, "1"),
    DerivedField("forceDirectionX", FieldKind::Float, "sin of forceAngle"),
    DerivedField("forceDirectionY", FieldKind::Float, "-cos of forceAngle"),
    Field("forceAngle", FieldKind::Float, "0"),
    Field("rotationMode", FieldKind::Int32, "1"),
    Field("rotationOffset", FieldKind::Float, "0"),
    Field("alignToMotion", FieldKind::Flag, "0"),
    Field("randomRotationCentre", FieldKind::Float, "0"),
    Field("randomRotationRange", FieldKind::Float, "360"),
    Field("fixedRotation", FieldKind::Float, "0"),
    Field("spawnShape", FieldKind::Int32, "0"),
    Field("pivotX", FieldKind::Float, "0.5"),
    Field("pivotY", FieldKind::Float, "0.5"),
    Field("useEffectEmission", FieldKind::Flag, "1"),
    Field("effectRotation", FieldKind::Flag, "0"),
    Field("additive", FieldKind::Flag, "0"),
    Field("singleParticle", FieldKind::Flag, "0"),
    Field("useEffectOffset", FieldKind::Flag, "0"),
    Field("reservedFlag", FieldKind::Flag, "0"),
    Field("positionX", FieldKind::Float, "0"),
    Field("positionY", FieldKind::Float, "0"),
    Field("reverseDrawOrder", FieldKind::Flag, "0"),
    Field("stopped", FieldKind::Flag, "0"),
    Field("animated", FieldKind::Flag, "0"),
};

inline constexpr FieldDesc AnimationHeadFields[] = {
    Field("cycleLength", FieldKind::Float, "0"),
    Field("loop", FieldKind::Flag, "0"),
    Field("randomStart", FieldKind::Flag, "0"),
};
inline constexpr FieldDesc FrameNameFields[] = {
    Field("frameSetName", FieldKind::Text, "\"\""),
    Field("textureName", FieldKind::Text, "\"\""),
};
inline constexpr FieldDesc AnimationTailFields[] = {Field("hasFollowUp", FieldKind::Flag, "0")};
inline constexpr FieldDesc FrameSetTailFields[] = {Field("frameIndex", FieldKind::UInt32, "0")};

inline constexpr FieldDesc SubEffectFields[] = {
    Field("name", FieldKind::Text, "\"\""),        Field("enabled", FieldKind::Flag, "1"),
    Field("positionX", FieldKind::Float, "0"),      Field("positionY", FieldKind::Float, "0"),
    Field("startDelay", FieldKind::Float, "0"),     Field("effectFile", FieldKind::Text, "\"\""),
    Field("copiesMin", FieldKind::Float, "0"),      Field("copiesMax", FieldKind::Float, "0"),
    Field("speedMin", FieldKind::Float, "0"),       Field("speedMax", FieldKind::Float, "0"),
    Field("angleMin", FieldKind::Float, "0"),       Field("angleMax", FieldKind::Float, "0"),
};

// A field of a table by its name; the name must be there.
template <size_t N>
constexpr const FieldDesc& FieldNamed(const FieldDesc (&fields)[N], std::string_view name) {
  for (const FieldDesc& field : fields)
    if (name == field.name) return field;
  throw std::logic_error("no such field");
}

// The lists and blocks that are not plain fields, with what each takes when
// left out.
struct PartDesc {
  const char* name;
  Omitted omitted;
  const char* byDefault;
};

inline constexpr PartDesc TracksPart = {"tracks", Omitted::Derived, "every track at its default"};
inline constexpr PartDesc KeysPart = {"keys", Omitted::Derived, "one key (0, default)"};
inline constexpr PartDesc EmittersPart = {"emitters", Omitted::Value, "[]"};
inline constexpr PartDesc CornersPart = {"corners", Omitted::Derived, "from pivotX and pivotY"};
inline constexpr PartDesc FramesPart = {"frames", Omitted::Value, "[]"};
inline constexpr PartDesc FrameBlockPart = {"frameSet", Omitted::Value, "{} (every field at its default)"};

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
