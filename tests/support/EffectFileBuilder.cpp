// Test-side writer of effect files; the encodings follow the record readers
// field for field so that a test can cut or alter a record at any byte.
#include "support/EffectFileBuilder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/FloatBits.h"
#include "effectfile/EffectCipher.h"

namespace tavrix::test {

RecordWriter& RecordWriter::U8(uint8_t v) {
  bytes.push_back(v);
  return *this;
}

RecordWriter& RecordWriter::U32(uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
  return *this;
}

RecordWriter& RecordWriter::I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }

RecordWriter& RecordWriter::F32(float v) { return U32(FloatBits(v)); }

RecordWriter& RecordWriter::Str(const std::string& text) {
  U8(static_cast<uint8_t>(text.size()));
  bytes.insert(bytes.end(), text.begin(), text.begin() + (text.size() & 0xFF));
  return *this;
}

RecordWriter& RecordWriter::Append(const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return *this;
}

void AppendTrackBody(RecordWriter& out, const TrackDesc& track) {
  out.F32(track.cycles).F32(track.duration).F32(track.boundA).F32(track.boundB);
  out.F32(track.defaultValue).I32(static_cast<int32_t>(track.keys.size()));
  for (const auto& key : track.keys) out.F32(key.first).F32(key.second);
}

void AppendTrackEntry(RecordWriter& out, const TrackDesc& track) {
  out.Str(track.name);
  AppendTrackBody(out, track);
}

namespace {

void AppendFrames(RecordWriter& out, const std::vector<FrameDesc>& frames) {
  out.I32(static_cast<int32_t>(frames.size()));
  for (const FrameDesc& f : frames) out.F32(f.uLeft).F32(f.vTop).F32(f.uRight).F32(f.vBottom);
}

}  // namespace

Bytes EmitterRecord(const EmitterDesc& s) {
  RecordWriter out;
  out.U32(s.magic).U32(s.version).U32(static_cast<uint32_t>(s.tracks.size()));
  for (const TrackDesc& track : s.tracks) AppendTrackEntry(out, track);
  out.Str(s.name);
  for (float c : s.corners) out.F32(c);
  out.F32(s.backlog).Flag(s.enabled).Flag(s.uniformSize);
  out.F32(s.forceX).F32(s.forceY).F32(s.forceAngle);
  out.I32(s.rotationMode).F32(s.rotationOffset).Flag(s.alignToMotion);
  out.F32(s.randomRotationCentre).F32(s.randomRotationRange).F32(s.fixedRotation);
  out.I32(s.spawnShape).F32(s.pivotX).F32(s.pivotY);
  out.Flag(s.useEffectEmission).Flag(s.effectRotation).Flag(s.additive);
  out.Flag(s.singleParticle).Flag(s.useEffectOffset).Flag(s.reservedFlag);
  out.F32(s.positionX).F32(s.positionY);
  out.Flag(s.reverseDrawOrder).Flag(s.stopped).Flag(s.animated);
  if (s.animated) {
    out.F32(s.cycleLength).Flag(s.loop).Flag(s.randomStart);
    out.Str(s.frameSetName).Str(s.textureName);
    AppendFrames(out, s.frames);
    out.Flag(s.hasFollowUp);
  } else {
    out.Str(s.frameSetName).Str(s.textureName);
    AppendFrames(out, s.frames);
    out.U32(s.frameIndex);
  }
  return out.bytes;
}

Bytes SubEffectRecord(const SubEffectDesc& s) {
  RecordWriter out;
  out.U32(s.magic).U32(s.version).Str(s.name).Flag(s.enabled);
  out.F32(s.positionX).F32(s.positionY).F32(s.startDelayMs).Str(s.effectFile);
  out.F32(s.copiesMin).F32(s.copiesMax).F32(s.speedMin).F32(s.speedMax);
  out.F32(s.angleMin).F32(s.angleMax);
  return out.bytes;
}

Bytes EffectRecord(const EffectDesc& s, EffectLayout* layout) {
  EffectLayout at;
  RecordWriter out;
  out.U32(s.tag).U32(s.version);
  at.header = out.Size();
  out.U32(static_cast<uint32_t>(s.tracks.size()));
  at.trackCount = out.Size();
  for (const TrackDesc& track : s.tracks) AppendTrackEntry(out, track);
  at.tracks = out.Size();
  out.I32(s.emitterCount >= 0 ? s.emitterCount : static_cast<int32_t>(s.emitters.size()));
  at.emitterCount = out.Size();
  for (const Bytes& emitter : s.emitters) out.Append(emitter);
  at.emitters = out.Size();
  out.F32(s.positionX).F32(s.positionY).F32(s.frameWidth).F32(s.frameHeight);
  at.placement = out.Size();
  out.Flag(s.running).F32(s.elapsedSeconds).Flag(s.stopping).I32(s.endMode);
  out.F32(s.durationSeconds);
  at.state = out.Size();
  if (layout) *layout = at;
  return out.bytes;
}

Bytes Cut(const Bytes& bytes, size_t length) {
  return Bytes(bytes.begin(), bytes.begin() + std::min(length, bytes.size()));
}

Bytes Encipher(const Bytes& plain) {
  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  EffectCipher cipher;
  Bytes out(static_cast<size_t>(cipher.GetEncipheredLength(static_cast<int32_t>(plain.size()))));
  uint32_t length = 0;
  static const uint8_t nothing = 0;
  cipher.Encipher(plain.empty() ? &nothing : plain.data(), static_cast<int32_t>(plain.size()), key,
                  out.data(), &length);
  out.resize(length);
  return out;
}

Bytes Decipher(const Bytes& file) {
  uint8_t key[kEffectKeyBufferSize];
  BuildEffectKey(key);
  EffectCipher cipher;
  Bytes out(file.size() + 1);
  uint32_t length = static_cast<uint32_t>(file.size());
  if (!cipher.Decipher(file.data(), static_cast<int32_t>(file.size()), key, out.data(), &length))
    return Bytes();
  out.resize(length);
  return out;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Bytes();
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string WriteEffect(const TempDir& directory, const std::string& name,
                        const Bytes& plainRecord) {
  std::string path = directory.File(name);
  WriteFileBytes(path, Encipher(plainRecord));
  return path;
}

}  // namespace tavrix::test
