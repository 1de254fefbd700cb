// Plain record bytes to JSON: walks the record through the core's memory
// stream, field by field in record order, and reports the byte offset of the
// first field the bytes cannot supply.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "base/DataStream.h"
#include "effectfile/MemoryStream.h"
#include "record/FloatText.h"
#include "record/RecordModel.h"
#include "record/RecordSchema.h"
#include "record/TextField.h"
#include "record/TrackDefaults.h"

namespace tavrix::record {
namespace {

class PlainReader {
 public:
  explicit PlainReader(const Bytes& plain)
      : plain_(plain),
        stream_(const_cast<uint8_t*>(plain.data()), static_cast<int32_t>(plain.size())) {}
  ~PlainReader() { stream_.Attach(nullptr, 0); }
  PlainReader(const PlainReader&) = delete;
  PlainReader& operator=(const PlainReader&) = delete;

  Json Effect();

 private:
  // An empty record gives the stream no buffer, and no position.
  size_t Offset() {
    const int32_t position = stream_.Tell();
    return position > 0 ? static_cast<size_t>(position) : 0;
  }
  [[noreturn]] void Fail(size_t offset, const std::string& what) {
    throw RecordFormatError{offset, what};
  }

  template <class T>
  T Number(const std::string& what) {
    const size_t at = Offset();
    T value;
    if (!ReadField(stream_, value)) Fail(at, what + " cut short");
    return value;
  }
  std::string Text(const std::string& what);
  Json Field(const FieldEntry& field, const std::string& context);
  void Fields(const FieldRun& fields, Json& into, const std::string& context) {
    for (const FieldEntry* field : fields) into[field->name] = Field(*field, context);
  }

  void Track(Json& tracks, const std::string& context);
  void Tracks(Json& into, const std::string& context, TrackOwner owner);
  Json Emitter(const std::string& context);
  Json PlainEmitter(const std::string& context);
  Json SubEffectEmitter(const std::string& context);
  void Frames(Json& block, const std::string& context);

  // Tracks, keys and frames turn into several JSON values each; a bound on them
  // bounds the memory a dump takes, whatever the file.
  // Counted when a list's count is read, before any of it is built; a
  // count the bytes cannot back fails later, where they run out.
  void CountItems(int64_t count, size_t itemBytes, const std::string& what) {
    const uint64_t backed = (plain_.size() - std::min(plain_.size(), Offset())) / itemBytes;
    items_ += count > 0 ? std::min(uint64_t(count), backed) : 0;
    if (items_ > MaximumItems)
      Fail(Offset(), what + ": more than 1000000 tracks, keys and frames, too many for the tools");
  }
  static constexpr size_t MaximumItems = 1000000;

  const Bytes& plain_;
  MemoryStream stream_;
  uint64_t items_ = 0;
};

std::string PlainReader::Text(const std::string& what) {
  const size_t at = Offset();
  if (at >= plain_.size()) Fail(at, what + " missing");
  const size_t length = plain_[at];
  if (at + 1 + length > plain_.size()) Fail(at, what + " cut short");
  char text[256];
  const uint32_t count = ReadShortString(stream_, text);
  return std::string(text, count);
}

Json PlainReader::Field(const FieldEntry& field, const std::string& context) {
  const std::string what = context + field.name;
  switch (field.kind) {
    case FieldKind::Float: return FloatToJson(Number<float>(what));
    case FieldKind::Int32: return Number<int32_t>(what);
    case FieldKind::UInt32: return Number<uint32_t>(what);
    case FieldKind::Flag: return Number<uint8_t>(what);
    case FieldKind::Text: return TextToJson(Text(what));
    case FieldKind::Tag: {
      const uint32_t tag = Number<uint32_t>(what);
      char letters[4];
      std::memcpy(letters, &tag, 4);
      for (char c : letters)
        if (c < 0x20 || c > 0x7E) return tag;
      return std::string(letters, 4);
    }
    case FieldKind::List: break;
  }
  throw std::logic_error(what + " is a list, not a plain field");
}

void PlainReader::Track(Json& tracks, const std::string& context) {
  Json track = Json::object();
  Fields(Layout().track, track, context);
  const int32_t keyCount = Number<int32_t>(context + "key count");
  if (keyCount < 0) track[key::KeyCount] = keyCount;
  CountItems(keyCount, 8, context + "key count");
  Json keys = Json::array();
  for (int32_t k = 0; k < keyCount; ++k) {
    Json item = Json::object();
    Fields(Layout().key, item, context + "key " + std::to_string(k) + " ");
    keys.push_back(std::move(item));
  }
  track[key::Keys] = std::move(keys);
  tracks.push_back(std::move(track));
}

// Both record kinds take their track count as unsigned: a count the data
// cannot back fails at the first missing entry.
void PlainReader::Tracks(Json& into, const std::string& context, TrackOwner owner) {
  const uint32_t count = Number<uint32_t>(context + "track count");
  CountItems(count, 25, context + "track count");  // an empty name, the body, no keys
  Json tracks = Json::array();
  for (uint32_t t = 0; t < count; ++t) Track(tracks, context + "track " + std::to_string(t) + " ");
  const bool partial = !MissingTracks(owner, tracks).empty();
  into[key::Tracks] = std::move(tracks);
  if (partial) into[key::OnlyListedTracks] = true;
}

void PlainReader::Frames(Json& block, const std::string& context) {
  Fields(Layout().frameNames, block, context);
  const int32_t count = Number<int32_t>(context + "frame count");
  if (count < 0) block[key::FrameCount] = count;
  CountItems(count, 16, context + "frame count");
  Json frames = Json::array();
  for (int32_t f = 0; f < count; ++f) {
    Json frame = Json::array();
    for (int c = 0; c < 4; ++c)
      frame.push_back(FloatToJson(Number<float>(context + "frame " + std::to_string(f))));
    frames.push_back(std::move(frame));
  }
  block[key::Frames] = std::move(frames);
}

Json PlainReader::PlainEmitter(const std::string& context) {
  Json emitter = Json::object();
  emitter[key::Magic] = "ET2D";
  Number<uint32_t>(context + "magic");
  emitter[key::Version] = Number<uint32_t>(context + "version");
  Tracks(emitter, context, TrackOwner::Emitter);
  emitter[key::Name] = TextToJson(Text(context + "name"));
  Json corners = Json::array();
  for (int c = 0; c < 4; ++c) {
    Json corner = Json::array();
    for (int axis = 0; axis < 2; ++axis)
      corner.push_back(FloatToJson(Number<float>(context + "corners")));
    corners.push_back(std::move(corner));
  }
  emitter[key::Corners] = std::move(corners);
  Fields(Layout().emitter, emitter, context);
  Json block = Json::object();
  if (emitter["animated"].get<int>() != 0) {
    Fields(Layout().animationHead, block, context);
    Frames(block, context);
    Fields(Layout().animationTail, block, context);
    emitter[key::FrameAnimation] = std::move(block);
  } else {
    Frames(block, context);
    Fields(Layout().frameSetTail, block, context);
    emitter[key::FrameSet] = std::move(block);
  }
  return emitter;
}

Json PlainReader::SubEffectEmitter(const std::string& context) {
  Json emitter = Json::object();
  emitter[key::Magic] = "SE2D";
  Number<uint32_t>(context + "magic");
  emitter[key::Version] = Number<uint32_t>(context + "version");
  Fields(Layout().subEffect, emitter, context);
  return emitter;
}

Json PlainReader::Emitter(const std::string& context) {
  const size_t at = Offset();
  if (at + 4 > plain_.size()) Fail(at, context + "type tag cut short");
  uint32_t tag;
  std::memcpy(&tag, plain_.data() + at, 4);
  if (tag == EmitterTag) return PlainEmitter(context);
  if (tag == SubEffectTag) return SubEffectEmitter(context);
  Fail(at, context + "type tag is neither \"ET2D\" nor \"SE2D\"");
}

Json PlainReader::Effect() {
  Json effect = Json::object();
  Fields(Layout().effectHeader, effect, "effect ");
  Tracks(effect, "effect ", TrackOwner::Effect);
  const int32_t count = Number<int32_t>("emitter count");
  if (count < 0) effect[key::EmitterCount] = count;
  Json emitters = Json::array();
  for (int32_t e = 0; e < count; ++e)
    emitters.push_back(Emitter("emitter " + std::to_string(e) + " "));
  effect[key::Emitters] = std::move(emitters);
  Fields(Layout().effectTail, effect, "effect ");
  const size_t end = Offset();
  if (end < plain_.size())
    effect[key::Trailing] = HexText(plain_.data() + end, plain_.size() - end);
  return effect;
}

}  // namespace

Json RecordToJson(const Bytes& plain) {
  if (plain.size() > INT32_MAX) throw RecordFormatError{0, "record too large"};
  PlainReader reader(plain);
  return reader.Effect();
}

}  // namespace tavrix::record
