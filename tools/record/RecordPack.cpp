// JSON to plain record bytes: the same tables as the dump, walked in the
// same order, with every field checked and each error naming its path.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "effectfile/DataStream.h"
#include "effectfile/MemoryStream.h"
#include "record/FloatText.h"
#include "record/RecordModel.h"
#include "record/RecordPath.h"
#include "record/RecordSchema.h"
#include "record/TextField.h"

namespace tavrix::record {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& message) {
  throw RecordJsonError{path, message};
}

// One JSON object of the record: hands out its fields by name and, at the
// end, refuses names it does not know (those beginning with "_" are notes).
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
  std::string PathOf(const char* name) const { return Child(path_, name); }
  void RefuseUnknown() const {
    for (auto it = object_.begin(); it != object_.end(); ++it)
      if (!used_.count(it.key()) && (it.key().empty() || it.key()[0] != '_'))
        Fail(Child(path_, it.key()), "unknown field");
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

class PlainWriter {
 public:
  PlainWriter() : stream_(nullptr, 0) { stream_.CreateEmpty(); }

  void Effect(const Json& record);
  Bytes Take();

 private:
  template <class T>
  void Put(const T& value) {
    if (!WriteField(stream_, value)) throw RecordJsonError{"", "out of memory"};
  }
  void PutText(const std::string& text);
  void PutField(const FieldDesc& field, const Json& value, const std::string& path);
  template <size_t N>
  void Fields(const FieldDesc (&fields)[N], ObjectReader& object) {
    for (const FieldDesc& field : fields)
      PutField(field, object.Require(field.name), object.PathOf(field.name));
  }
  void PutFloat(const Json& value, const std::string& path);
  // A list's stored count: the number of items, or the negative count a
  // file gave explicitly (then the list must be empty).
  void PutCount(ObjectReader& object, const char* countName, const Json& items);
  void Tracks(ObjectReader& object);
  void Track(const Json& track, const std::string& path);
  void Emitter(const Json& emitter, const std::string& path);
  void PlainEmitter(ObjectReader& object);
  void SubEffectEmitter(ObjectReader& object);
  void Frames(ObjectReader& block);

  MemoryStream stream_;
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

void PlainWriter::PutField(const FieldDesc& field, const Json& value, const std::string& path) {
  switch (field.kind) {
    case FieldKind::Float: return PutFloat(value, path);
    case FieldKind::Int32:
      return Put(static_cast<int32_t>(Integer(value, path, INT32_MIN, INT32_MAX,
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
  }
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

void PlainWriter::Track(const Json& track, const std::string& path) {
  ObjectReader object(track, path);
  Fields(TrackFields, object);
  const Json& keys = RequireArray(object.Require(key::Keys), object.PathOf(key::Keys));
  PutCount(object, key::KeyCount, keys);
  for (size_t k = 0; k < keys.size(); ++k) {
    ObjectReader item(keys[k], Item(object.PathOf(key::Keys), k));
    Fields(KeyFields, item);
    item.RefuseUnknown();
  }
  object.RefuseUnknown();
}

void PlainWriter::Tracks(ObjectReader& object) {
  const Json& tracks = RequireArray(object.Require(key::Tracks), object.PathOf(key::Tracks));
  Put(static_cast<uint32_t>(tracks.size()));
  const std::vector<std::string> paths = TrackPaths(object.PathOf(key::Tracks), tracks);
  for (size_t t = 0; t < tracks.size(); ++t) Track(tracks[t], paths[t]);
}

void PlainWriter::Frames(ObjectReader& block) {
  Fields(FrameNameFields, block);
  const std::string path = block.PathOf(key::Frames);
  const Json& frames = RequireArray(block.Require(key::Frames), path);
  PutCount(block, key::FrameCount, frames);
  for (size_t f = 0; f < frames.size(); ++f) {
    const Json& frame = RequireArray(frames[f], Item(path, f));
    if (frame.size() != 4) Fail(Item(path, f), "expected 4 numbers: uLeft, vTop, uRight, vBottom");
    for (size_t c = 0; c < 4; ++c) PutFloat(frame[c], Item(Item(path, f), c));
  }
}

void PlainWriter::PlainEmitter(ObjectReader& object) {
  Put(static_cast<uint32_t>(EmitterTag));
  PutField({key::Version, FieldKind::UInt32}, object.Require(key::Version),
           object.PathOf(key::Version));
  Tracks(object);
  PutField({key::Name, FieldKind::Text}, object.Require(key::Name), object.PathOf(key::Name));
  const std::string cornersPath = object.PathOf(key::Corners);
  const Json& corners = RequireArray(object.Require(key::Corners), cornersPath);
  if (corners.size() != 4) Fail(cornersPath, "expected 4 corners");
  for (size_t c = 0; c < 4; ++c) {
    const Json& corner = RequireArray(corners[c], Item(cornersPath, c));
    if (corner.size() != 2) Fail(Item(cornersPath, c), "expected 2 numbers: x, y");
    for (size_t axis = 0; axis < 2; ++axis) PutFloat(corner[axis], Item(Item(cornersPath, c), axis));
  }
  Fields(EmitterFields, object);
  const Json& flag = object.Require("animated");
  const bool animated = flag.is_boolean() ? flag.get<bool>() : flag.get<int64_t>() != 0;
  const char* used = animated ? key::FrameAnimation : key::FrameSet;
  const char* other = animated ? key::FrameSet : key::FrameAnimation;
  if (object.Optional(other))
    Fail(object.PathOf(other), std::string("an emitter whose animated flag is ") +
                                   (animated ? "set" : "0") + " stores a " + used + " block");
  ObjectReader block(object.Require(used), object.PathOf(used));
  if (animated) {
    Fields(AnimationHeadFields, block);
    Frames(block);
    Fields(AnimationTailFields, block);
  } else {
    Frames(block);
    Fields(FrameSetTailFields, block);
  }
  block.RefuseUnknown();
}

void PlainWriter::SubEffectEmitter(ObjectReader& object) {
  Put(static_cast<uint32_t>(SubEffectTag));
  PutField({key::Version, FieldKind::UInt32}, object.Require(key::Version),
           object.PathOf(key::Version));
  Fields(SubEffectFields, object);
}

void PlainWriter::Emitter(const Json& emitter, const std::string& path) {
  ObjectReader object(emitter, path);
  const Json& magic = object.Require(key::Magic);
  if (magic == "ET2D") PlainEmitter(object);
  else if (magic == "SE2D") SubEffectEmitter(object);
  else Fail(object.PathOf(key::Magic), "expected \"ET2D\" or \"SE2D\"");
  object.RefuseUnknown();
}

void PlainWriter::Effect(const Json& record) {
  ObjectReader effect(record, "");
  effect.Optional(key::Schema);  // names the JSON Schema for editors; not packed
  Fields(EffectHeaderFields, effect);
  Tracks(effect);
  const Json& emitters = RequireArray(effect.Require(key::Emitters), key::Emitters);
  PutCount(effect, key::EmitterCount, emitters);
  for (size_t e = 0; e < emitters.size(); ++e) Emitter(emitters[e], Item(key::Emitters, e));
  Fields(EffectTailFields, effect);
  if (const Json* trailing = effect.Optional(key::Trailing)) {
    std::optional<Bytes> bytes =
        trailing->is_string() ? BytesFromHex(trailing->get<std::string>()) : std::nullopt;
    if (!bytes) Fail(key::Trailing, "expected a string of hexadecimal byte pairs");
    if (!bytes->empty() && stream_.Write(bytes->data(), 1, uint32_t(bytes->size())) == 0)
      throw RecordJsonError{"", "out of memory"};
  }
  effect.RefuseUnknown();
}

Bytes PlainWriter::Take() {
  const int32_t size = stream_.GetSize();
  const uint8_t* data = stream_.TakeBuffer(false);
  return Bytes(data, data + (size > 0 ? size : 0));
}

}  // namespace

Bytes RecordFromJson(const Json& record) {
  PlainWriter writer;
  writer.Effect(record);
  return writer.Take();
}

}  // namespace tavrix::record
