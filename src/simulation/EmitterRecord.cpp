// The emitter record of an effect file: header, named tracks, the stored
// fields in their fixed order, and the frame animation or frame set block.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "resources/NameTable.h"
#include "simulation/EmitterFields.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
int32_t Emitter::Read(IDataStream& stream) {
  uint32_t magic;
  uint32_t recordVersion;
  if (!ReadField(stream, magic) || !ReadField(stream, recordVersion)) {
    return EmitterHeaderUnreadable;
  }
  if (magic != EmitterTag || recordVersion < record.version) return EmitterBadVersion;
  RemoveAllParticles();
  uint32_t trackCount;
  if (!ReadField(stream, trackCount)) return EmitterTrackCountUnreadable;
  char text[256];
  for (uint32_t i = 0; i < trackCount; ++i) {
    text[0] = '\0';
    ReadShortString(stream, text);
    ParamTrack* track = FindTrack(text);
    if (!track) return EmitterTrackUnknown;
    if (!track->Read(stream)) return EmitterTrackUnreadable;
  }
  text[0] = '\0';
  ReadShortString(stream, text);
  record.name = InternName(text);
  const int32_t fields = ReadFields(stream);
  if (fields != Success) return fields;
  if (!ReadFlag(stream, record.animated)) return EmitterFlagUnreadable;
  if (record.animated) {
    record.frameAnimation.Read(stream);
    return Success;
  }
  // The new frame set is taken before the old one is given back, so that
  // reading a record twice over one shared frame set keeps its frames.
  FrameSet* frames = ReadFrameSetBlock(stream, record.frameSetName, record.textureName);
  ReleaseFrameSet(record.frameSet);
  record.frameSet = frames;
  if (!ReadField(stream, record.frameIndex)) return EmitterFramesUnreadable;
  return Success;
}

// The corners are one transfer of eight floats, then the table in order;
// the first field that fails stops the walk.
int32_t Emitter::ReadFields(IDataStream& stream) {
  if (stream.Read(record.corners, sizeof(float), 8) != 8) return EmitterFieldUnreadable;
  for (const EmitterField& field : kEmitterFields) {
    const bool read = field.flag      ? ReadFlag(stream, record.*field.flag)
                      : field.integer ? ReadField(stream, record.*field.integer)
                                      : ReadField(stream, record.*field.real);
    if (!read) return EmitterFieldUnreadable;
  }
  return Success;
}

int32_t Emitter::Write(IDataStream& stream) {
  WriteField(stream, static_cast<uint32_t>(EmitterTag));
  WriteField(stream, record.version);
  if (!WriteField(stream, tracks.keys.Size())) return EmitterTrackCountNotWritten;
  for (const KeyedTrack& entry : tracks.keys) {
    WriteShortString(stream, entry.key);
    if (!entry.track->Write(stream)) return EmitterTrackNotWritten;
  }
  WriteShortString(stream, GetName());
  const int32_t fields = WriteFields(stream);
  if (fields != Success) return fields;
  if (!WriteFlag(stream, record.animated)) return EmitterFlagNotWritten;
  if (record.animated) {
    record.frameAnimation.Write(stream);
  } else {
    WriteFrameSetBlock(stream, record.frameSet, record.frameSetName, record.textureName);
    WriteField(stream, record.frameIndex);
  }
  return Success;
}

int32_t Emitter::WriteFields(IDataStream& stream) const {
  if (stream.Write(record.corners, sizeof(float), 8) != 8) return EmitterFieldNotWritten;
  for (const EmitterField& field : kEmitterFields) {
    const bool written = field.flag      ? WriteFlag(stream, record.*field.flag)
                         : field.integer ? WriteField(stream, record.*field.integer)
                                         : WriteField(stream, record.*field.real);
    if (!written) return EmitterFieldNotWritten;
  }
  return Success;
}

}  // namespace tavrix
