// Builds effect files for tests field by field: plain effect records with
// tracks, emitter records (with frame set or frame animation blocks) and
// sub-effect emitter records, enciphered like the library's own files, and
// cut or changed at any byte so that each reader failure can be provoked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/DataStream.h"
#include "support/TempDir.h"

namespace tavrix::test {

using Bytes = std::vector<uint8_t>;

// Little-endian field writer.
class RecordWriter {
 public:
  RecordWriter& U8(uint8_t v);
  RecordWriter& U32(uint32_t v);
  RecordWriter& I32(int32_t v);
  RecordWriter& F32(float v);
  RecordWriter& Flag(bool v) { return U8(v ? 1 : 0); }
  // A short string: the length byte, then the text.
  RecordWriter& Str(const std::string& text);
  RecordWriter& Append(const Bytes& more);
  size_t Size() const { return bytes.size(); }

  Bytes bytes;
};

struct TrackDesc {
  std::string name;
  float cycles = 1.0f;
  float duration = 1.0f;
  float boundA = 0.0f;
  float boundB = 1.0f;
  float defaultValue = 0.0f;
  std::vector<std::pair<float, float>> keys;  // (time, value)
};
void AppendTrackBody(RecordWriter& out, const TrackDesc& track);
// A key name followed by the body, as effect and emitter records hold them.
void AppendTrackEntry(RecordWriter& out, const TrackDesc& track);

struct FrameDesc {
  float uLeft = 0.0f, vTop = 0.0f, uRight = 1.0f, vBottom = 1.0f;
};

// Every field of an emitter record, defaulting to what Init sets.
struct EmitterDesc {
  uint32_t magic = EmitterTag;
  uint32_t version = 1;
  std::vector<TrackDesc> tracks;
  std::string name;
  float corners[8] = {-0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f};
  float backlog = 0.0f;
  bool enabled = true;
  bool uniformSize = true;
  float forceX = 0.0f, forceY = -1.0f, forceAngle = 0.0f;
  int32_t rotationMode = 1;
  float rotationOffset = 0.0f;
  bool alignToMotion = false;
  float randomRotationCentre = 0.0f, randomRotationRange = 360.0f, fixedRotation = 0.0f;
  int32_t spawnShape = 0;
  float pivotX = 0.5f, pivotY = 0.5f;
  bool useEffectEmission = true, effectRotation = false, additive = false;
  bool singleParticle = false, useEffectOffset = false, reservedFlag = false;
  float positionX = 0.0f, positionY = 0.0f;
  bool reverseDrawOrder = false, stopped = false, animated = false;
  // Frame animation block (animated) or frame set block (not animated).
  float cycleLength = 1.0f;
  bool loop = false, randomStart = false, hasFollowUp = false;
  std::string frameSetName = "frames";
  std::string textureName = "particle.png";
  std::vector<FrameDesc> frames = {FrameDesc{}};
  uint32_t frameIndex = 0;
};
Bytes EmitterRecord(const EmitterDesc& desc);

struct SubEffectDesc {
  uint32_t magic = SubEffectTag;
  uint32_t version = 1;
  std::string name;
  bool enabled = true;
  float positionX = 0.0f, positionY = 0.0f;
  float startDelayMs = 0.0f;
  std::string effectFile;
  float copiesMin = 1.0f, copiesMax = 1.0f;
  float speedMin = 1.0f, speedMax = 1.0f;
  float angleMin = 0.0f, angleMax = 0.0f;
};
Bytes SubEffectRecord(const SubEffectDesc& desc);

struct EffectDesc {
  uint32_t tag = EffectTag;
  uint32_t version = 1;
  std::vector<TrackDesc> tracks;
  // Trusted as given: the count written is emitterCount when set, else the
  // number of records.
  std::vector<Bytes> emitters;
  int32_t emitterCount = -1;
  float positionX = 0.0f, positionY = 0.0f;
  float frameWidth = 0.0f, frameHeight = 0.0f;
  bool running = false;
  float elapsedSeconds = 0.0f;
  bool stopping = false;
  int32_t endMode = 0;
  float durationSeconds = 1.0f;
};

// Where each part of a built effect record ends, to cut a record inside it.
struct EffectLayout {
  size_t header = 0;        // after tag and version
  size_t trackCount = 0;    // after the track count
  size_t tracks = 0;        // after the last track entry
  size_t emitterCount = 0;  // after the emitter count
  size_t emitters = 0;      // after the last emitter record
  size_t placement = 0;     // after frameHeight
  size_t state = 0;         // after durationSeconds: the whole record
};
Bytes EffectRecord(const EffectDesc& desc, EffectLayout* layout = nullptr);

// The first length bytes.
Bytes Cut(const Bytes& bytes, size_t length);

// The library's envelope around plain bytes with the effect-file key, and
// back; Decipher gives an empty result when the envelope is broken.
Bytes Encipher(const Bytes& plain);
Bytes Decipher(const Bytes& file);

void WriteFileBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// Writes the record, enciphered, as name inside directory; returns the path.
std::string WriteEffect(const TempDir& directory, const std::string& name,
                        const Bytes& plainRecord);

}  // namespace tavrix::test
