// JSON to plain record bytes: the same tables as the dump, walked in the
// same order, with every field checked and each error naming its path. A
// field left out takes its default from the tables; a derived one takes what
// the library would derive from the fields given. Packing may stop at the
// first error or go on to collect them all.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/DataStream.h"
#include "effectfile/MemoryStream.h"
#include "record/DerivedFields.h"
#include "record/FloatText.h"
#include "record/RecordModel.h"
#include "record/RecordPath.h"
#include "record/RecordSchema.h"
#include "record/TextField.h"
#include "record/TrackDefaults.h"

namespace tavrix::record {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& message) {
  throw RecordJsonError{path, message};
}

// One JSON object of the record: hands out its fields by name, or their
// defaults, and at the end refuses names it does not know (those beginning
// with "_" are notes).
class ObjectReader {
 public:
  ObjectReader(const Json& object, std::string path) : object_(object), path_(std::move(path)) {
    if (!object_.is_object()) Fail(path_, "expected an object");
  }
  const Json& Require(const char* name) {
    const Json* value = Optional(name);
    if (!value) Fail(Child(path_, name), "missing");
    return *value;
  }
  const Json* Optional(const char* name) {
    used_.insert(name);
    auto found = object_.find(name);
    return found == object_.end() ? nullptr : &*found;
  }
  // The field as given, else its default; derived defaults come from the
  // values the caller worked out.
  Json Value(const FieldEntry& field, const Json& derived) {
    if (const Json* value = Optional(field.name)) return *value;
    switch (field.absent.omitted) {
      case Omitted::Required: break;
      case Omitted::Value: return Json::parse(field.absent.byDefault);
      case Omitted::Derived:
        if (derived.contains(field.name)) return derived[field.name];
        break;
    }
    Fail(PathOf(field.name), "missing");
  }
  std::string PathOf(const char* name) const { return Child(path_, name); }
  template <class Guard>
  void RefuseUnknown(Guard&& guard) const {
    for (auto it = object_.begin(); it != object_.end(); ++it)
      if (!used_.count(it.key()) && (it.key().empty() || it.key()[0] != '_'))
        guard([&] { Fail(Child(path_, it.key()), "unknown field"); });
  }

 private:
  const Json& object_;
  std::string path_;
  std::set<std::string> used_;
};

const Json& RequireArray(const Json& value, const std::string& path) {
  if (!value.is_array()) Fail(path, "expected an array");
  return value;
}

int64_t Integer(const Json& value, const std::string& path, int64_t low, int64_t high,
                const char* expected) {
  if (value.is_number_unsigned()) {
    if (value.get<uint64_t>() > uint64_t(high)) Fail(path, expected);
    return int64_t(value.get<uint64_t>());
  }
  if (!value.is_number_integer() || value.get<int64_t>() < low || value.get<int64_t>() > high)
    Fail(path, expected);
  return value.get<int64_t>();
}

// A flag's value whatever form it takes; a wrong form is reported where the
// flag itself is packed.
bool IsSet(const Json& flag) {
  if (flag.is_boolean()) return flag.get<bool>();
  return flag.is_number() && flag.get<double>() != 0;
}

float FloatOr(const Json& value, float fallback) { return FloatFromJson(value).value_or(fallback); }

// An emitter field a derived one is worked out from, given or at its
// default; a value of the wrong type is reported where it is packed.
float EmitterFloat(ObjectReader& emitter, const char* name) {
  return FloatOr(emitter.Value(FieldOf(FieldBlock::Emitter, name), Json()), 0.0f);
}

// Only the library's own tracks have a body to default to.
void RequireBody(ObjectReader& track, TrackOwner owner) {
  for (const FieldEntry* field : Layout().track)
    if (field->absent.omitted == Omitted::Derived && !track.Optional(field->name)) {
      const Json* name = track.Optional(key::Name);
      const std::optional<std::string> text = name ? TextFromJson(*name) : std::nullopt;
      if (!text) Fail(track.PathOf(key::Name), "missing");
      Fail(track.PathOf(key::Name),
           "\"" + *text + "\" is not " +
               (owner == TrackOwner::Emitter ? "an emitter" : "an effect") +
               " track (did you mean \"" + NearestTrackName(owner, *text) +
               "\"?), so its body has no defaults: give duration, boundA, boundB and default");
    }
}

// The key a track left without keys holds: the library's reset key.
float StartValueOf(ObjectReader& track, const Json& derived) {
  auto body = [&](const char* name) {
    const Json* given = track.Optional(name);
    return FloatOr(given ? *given : derived.value(name, Json()), 0.0f);
  };
  return StartValue(body("duration"), body("boundA"), body("boundB"), body("default"));
}

class PlainWriter {
 public:
  // With a list, errors are collected there and packing goes on; without,
  // the first one is thrown. Tracks left out are added unless told not to.
  PlainWriter(std::vector<RecordJsonError>* errors, bool addTracks)
      : stream_(nullptr, 0), errors_(errors), addTracks_(addTracks) {
    stream_.CreateEmpty();
  }

  void Effect(const Json& record);
  Bytes Take();

 private:
  template <class F>
  void Guard(F&& step) {
    try {
      step();
    } catch (const RecordJsonError& e) {
      if (!errors_) throw;
      errors_->push_back(e);
    }
  }
  auto Guarded() {
    return [this](auto&& step) { Guard(step); };
  }
  template <class T>
  void Put(const T& value) {
    if (!WriteField(stream_, value)) throw RecordJsonError{"", "out of memory"};
  }
  void PutText(const std::string& text);
  void PutField(const FieldEntry& field, const Json& value, const std::string& path);
  void Field(const FieldEntry& field, ObjectReader& object, const Json& derived = Json::object()) {
    Guard([&] { PutField(field, object.Value(field, derived), object.PathOf(field.name)); });
  }
  void Fields(const FieldRun& fields, ObjectReader& object, const Json& derived = Json::object()) {
    for (const FieldEntry* field : fields) Field(*field, object, derived);
  }
  void PutFloat(const Json& value, const std::string& path);
  // A list's stored count: the number of items, or the negative count a
  // file gave explicitly (then the list must be empty).
  void PutCount(ObjectReader& object, const char* countName, const Json& items);
  const Json& List(ObjectReader& object, const char* name, Json& fallback);
  void Tracks(ObjectReader& object, TrackOwner owner);
  void Track(const Json& track, const std::string& path, TrackOwner owner);
  void Emitter(const Json& emitter, const std::string& path);
  void PlainEmitter(ObjectReader& object);
  void Corners(ObjectReader& object);
  void FrameBlock(ObjectReader& object);
  void SubEffectEmitter(ObjectReader& object);
  void Frames(ObjectReader& block);

  MemoryStream stream_;
  std::vector<RecordJsonError>* errors_;
  bool addTracks_;
};

void PlainWriter::PutText(const std::string& text) {
  Put(static_cast<uint8_t>(text.size()));
  if (!text.empty() && stream_.Write(text.data(), 1, uint32_t(text.size())) == 0)
    throw RecordJsonError{"", "out of memory"};
}

void PlainWriter::PutFloat(const Json& value, const std::string& path) {
  std::optional<float> number = FloatFromJson(value);
  if (!number) {
    if (value.is_number()) Fail(path, "out of range for a 32-bit float");
    Fail(path, "expected a number (or the bits of a float as a string such as \"0x7FC00000\")");
  }
  Put(*number);
}

void PlainWriter::PutField(const FieldEntry& field, const Json& value, const std::string& path) {
  switch (field.kind) {
    case FieldKind::Float: return PutFloat(value, path);
    case FieldKind::Int32:
      return Put(
          static_cast<int32_t>(Integer(value, path, INT32_MIN, INT32_MAX,
                                       "expected an integer from -2147483648 to 2147483647")));
    case FieldKind::UInt32:
      return Put(static_cast<uint32_t>(
          Integer(value, path, 0, UINT32_MAX, "expected an integer from 0 to 4294967295")));
    case FieldKind::Flag:
      if (value.is_boolean()) return Put(static_cast<uint8_t>(value.get<bool>() ? 1 : 0));
      return Put(static_cast<uint8_t>(
          Integer(value, path, 0, 255, "expected a byte value from 0 to 255, or true or false")));
    case FieldKind::Text: {
      std::optional<std::string> text = TextFromJson(value);
      if (!text) Fail(path, "expected a string");
      if (text->size() > 255) Fail(path, "longer than 255 bytes");
      return PutText(*text);
    }
    case FieldKind::Tag: {
      if (value.is_string()) {
        const std::string letters = value.get<std::string>();
        if (letters.size() != 4) Fail(path, "expected four letters or a 32-bit number");
        uint32_t tag;
        std::memcpy(&tag, letters.data(), 4);
        return Put(tag);
      }
      return Put(static_cast<uint32_t>(
          Integer(value, path, 0, UINT32_MAX, "expected four letters or a 32-bit number")));
    }
    case FieldKind::List: break;
  }
  throw std::logic_error(path + " is a list, not a plain field");
}

void PlainWriter::PutCount(ObjectReader& object, const char* countName, const Json& items) {
  const Json* count = object.Optional(countName);
  if (!count) return Put(static_cast<int32_t>(items.size()));
  const std::string path = object.PathOf(countName);
  const int64_t stored = Integer(*count, path, INT32_MIN, -1,
                                 "only a negative count is given on its own; leave it out");
  if (!items.empty()) Fail(path, "a negative count goes with an empty list");
  Put(static_cast<int32_t>(stored));
}

// The list as given, else its default; a list of the wrong type is reported
// and packs as empty.
const Json& PlainWriter::List(ObjectReader& object, const char* name, Json& fallback) {
  fallback = Json::array();
  const Json* given = object.Optional(name);
  if (!given) return fallback;
  Guard([&] { RequireArray(*given, object.PathOf(name)); });
  return given->is_array() ? *given : fallback;
}

void PlainWriter::Track(const Json& track, const std::string& path, TrackOwner owner) {
  ObjectReader object(track, path);
  const TrackInfo* info = RegisteredTrack(owner, track);
  if (!info) RequireBody(object, owner);
  const Json derived = info ? TrackBodyDefaults(*info) : Json::object();
  Fields(Layout().track, object, derived);
  const Json* given = object.Optional(key::Keys);
  Json keys = Json::array();
  if (given)
    Guard([&] { keys = RequireArray(*given, object.PathOf(key::Keys)); });
  else
    keys.push_back({{"time", 0}, {"value", StartValueOf(object, derived)}});
  Guard([&] { PutCount(object, key::KeyCount, keys); });
  for (size_t k = 0; k < keys.size(); ++k)
    Guard([&] {
      ObjectReader item(keys[k], Item(object.PathOf(key::Keys), k));
      Fields(Layout().key, item);
      item.RefuseUnknown(Guarded());
    });
  object.RefuseUnknown(Guarded());
}

// Tracks the list leaves out are added at their place in the registration
// order, unless the record is marked as holding only the listed ones.
void PlainWriter::Tracks(ObjectReader& object, TrackOwner owner) {
  Json empty;
  const Json& tracks = List(object, key::Tracks, empty);
  const Json* only = object.Optional(key::OnlyListedTracks);
  if (only && !only->is_boolean())
    Guard([&] { Fail(object.PathOf(key::OnlyListedTracks), "expected true or false"); });
  const std::vector<const TrackInfo*> added = !addTracks_ || (only && IsSet(*only))
                                                  ? std::vector<const TrackInfo*>()
                                                  : MissingTracks(owner, tracks);
  Put(static_cast<uint32_t>(tracks.size() + added.size()));
  const std::vector<std::string> paths = TrackPaths(object.PathOf(key::Tracks), tracks);
  size_t next = 0;
  auto addUpTo = [&](size_t order) {
    for (; next < added.size() && RegistrationIndex(*added[next]) < order; ++next)
      Track(Json{{"name", added[next]->key}}, object.PathOf(key::Tracks), owner);
  };
  for (size_t t = 0; t < tracks.size(); ++t) {
    if (const TrackInfo* info = RegisteredTrack(owner, tracks[t]))
      addUpTo(RegistrationIndex(*info));
    Guard([&] { Track(tracks[t], paths[t], owner); });
  }
  addUpTo(SIZE_MAX);
}

void PlainWriter::Frames(ObjectReader& block) {
  Fields(Layout().frameNames, block);
  const std::string path = block.PathOf(key::Frames);
  Json empty;
  const Json& frames = List(block, key::Frames, empty);
  Guard([&] { PutCount(block, key::FrameCount, frames); });
  for (size_t f = 0; f < frames.size(); ++f)
    Guard([&] {
      const Json& frame = RequireArray(frames[f], Item(path, f));
      if (frame.size() != 4)
        Fail(Item(path, f), "expected 4 numbers: uLeft, vTop, uRight, vBottom");
      for (size_t c = 0; c < 4; ++c) PutFloat(frame[c], Item(Item(path, f), c));
    });
}

// Left out, the corners are those the library's SetPivot gives the pivot.
void PlainWriter::Corners(ObjectReader& object) {
  const std::string cornersPath = object.PathOf(key::Corners);
  Json corners;
  if (const Json* given = object.Optional(key::Corners)) {
    corners = *given;
  } else {
    for (const Point& corner :
         PivotCorners(EmitterFloat(object, "pivotX"), EmitterFloat(object, "pivotY")))
      corners.push_back({corner.x, corner.y});
  }
  RequireArray(corners, cornersPath);
  if (corners.size() != 4) Fail(cornersPath, "expected 4 corners");
  for (size_t c = 0; c < 4; ++c) {
    const Json& corner = RequireArray(corners[c], Item(cornersPath, c));
    if (corner.size() != 2) Fail(Item(cornersPath, c), "expected 2 numbers: x, y");
    for (size_t axis = 0; axis < 2; ++axis)
      PutFloat(corner[axis], Item(Item(cornersPath, c), axis));
  }
}

void PlainWriter::FrameBlock(ObjectReader& object) {
  const bool animated = IsSet(object.Value(FieldOf(FieldBlock::Emitter, "animated"), Json()));
  const char* used = animated ? key::FrameAnimation : key::FrameSet;
  const char* other = animated ? key::FrameSet : key::FrameAnimation;
  if (object.Optional(other))
    Guard([&] {
      Fail(object.PathOf(other), std::string("an emitter whose animated flag is ") +
                                     (animated ? "set" : "0") + " stores a " + used + " block");
    });
  const Json* given = object.Optional(used);
  const Json emptyBlock = Json::object();
  ObjectReader block(given ? *given : emptyBlock, object.PathOf(used));
  if (animated) {
    Fields(Layout().animationHead, block);
    Frames(block);
    Fields(Layout().animationTail, block);
  } else {
    Frames(block);
    Fields(Layout().frameSetTail, block);
  }
  block.RefuseUnknown(Guarded());
}

void PlainWriter::PlainEmitter(ObjectReader& object) {
  Put(static_cast<uint32_t>(EmitterTag));
  Field(FieldOf(FieldBlock::Emitter, key::Version), object);
  Tracks(object, TrackOwner::Emitter);
  Field(FieldOf(FieldBlock::Emitter, key::Name), object);
  Guard([&] { Corners(object); });
  // Left out, the force direction is what the library's SetForceAngle gives.
  const Point force = ForceDirection(EmitterFloat(object, "forceAngle"));
  Fields(Layout().emitter, object,
         Json{{"forceDirectionX", force.x}, {"forceDirectionY", force.y}});
  Guard([&] { FrameBlock(object); });
}

void PlainWriter::SubEffectEmitter(ObjectReader& object) {
  Put(static_cast<uint32_t>(SubEffectTag));
  Field(FieldOf(FieldBlock::SubEffect, key::Version), object);
  Fields(Layout().subEffect, object);
}

void PlainWriter::Emitter(const Json& emitter, const std::string& path) {
  ObjectReader object(emitter, path);
  const Json magic = object.Value(FieldOf(FieldBlock::Emitter, key::Magic), Json());
  if (magic == "ET2D")
    PlainEmitter(object);
  else if (magic == "SE2D")
    SubEffectEmitter(object);
  else
    Fail(object.PathOf(key::Magic), "expected \"ET2D\" or \"SE2D\"");
  object.RefuseUnknown(Guarded());
}

void PlainWriter::Effect(const Json& record) {
  ObjectReader effect(record, "");
  effect.Optional(key::Schema);  // names the JSON Schema for editors; not packed
  Fields(Layout().effectHeader, effect);
  Tracks(effect, TrackOwner::Effect);
  Json empty;
  const Json& emitters = List(effect, key::Emitters, empty);
  Guard([&] { PutCount(effect, key::EmitterCount, emitters); });
  for (size_t e = 0; e < emitters.size(); ++e)
    Guard([&] { Emitter(emitters[e], Item(key::Emitters, e)); });
  Fields(Layout().effectTail, effect);
  if (const Json* trailing = effect.Optional(key::Trailing))
    Guard([&] {
      std::optional<Bytes> bytes =
          trailing->is_string() ? BytesFromHex(trailing->get<std::string>()) : std::nullopt;
      if (!bytes) Fail(key::Trailing, "expected a string of hexadecimal byte pairs");
      if (!bytes->empty() && stream_.Write(bytes->data(), 1, uint32_t(bytes->size())) == 0)
        throw RecordJsonError{"", "out of memory"};
    });
  effect.RefuseUnknown(Guarded());
}

Bytes PlainWriter::Take() {
  const int32_t size = stream_.GetSize();
  const uint8_t* data = stream_.TakeBuffer(false);
  return Bytes(data, data + (size > 0 ? size : 0));
}

}  // namespace

Bytes RecordFromJson(const Json& record) {
  PlainWriter writer(nullptr, true);
  writer.Effect(record);
  return writer.Take();
}

std::vector<RecordJsonError> RecordJsonErrors(const Json& record) {
  std::vector<RecordJsonError> errors;
  PlainWriter writer(&errors, true);
  try {
    writer.Effect(record);
  } catch (const RecordJsonError& e) {
    errors.push_back(e);
  }
  return errors;
}

Json CompleteRecord(const Json& record) {
  PlainWriter writer(nullptr, false);
  writer.Effect(record);
  Json complete = RecordToJson(writer.Take());
  // The dump marks the lists as partial; the record given did not.
  auto unmark = [](Json& completed, const Json& given) {
    if (!given.contains(key::OnlyListedTracks)) completed.erase(key::OnlyListedTracks);
  };
  unmark(complete, record);
  for (size_t e = 0; e < complete[key::Emitters].size(); ++e)
    unmark(complete[key::Emitters][e], record[key::Emitters][e]);
  return complete;
}

}  // namespace tavrix::record
