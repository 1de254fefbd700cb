// The emitter record of an effect file: header, named tracks, the stored
// fields in their fixed order, and the frame animation or frame set block.
#include "simulation/Emitter.h"

#include "resources/FrameSet.h"
#include "resources/NameTable.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
int32_t Emitter::Read(IDataStream& stream) {
  uint32_t magic;
  uint32_t recordVersion;
  if (!ReadField(stream, magic) || !ReadField(stream, recordVersion)) {
    return EmitterHeaderUnreadable;
  }
  if (magic != EmitterTag || recordVersion < version) return EmitterBadVersion;
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
  name = InternName(text);
  const int32_t fields = ReadFields(stream);
  if (fields != Success) return fields;
  if (!ReadFlag(stream, animated)) return EmitterFlagUnreadable;
  if (animated) {
    frameAnimation.Read(stream);
    return Success;
  }
  // The new frame set is taken before the old one is given back, so that
  // reading a record twice over one shared frame set keeps its frames.
  FrameSet* frames = ReadFrameSetBlock(stream, frameSetName, textureName);
  ReleaseFrameSet(frameSet);
  frameSet = frames;
  if (!ReadField(stream, frameIndex)) return EmitterFramesUnreadable;
  return Success;
}

int32_t Emitter::ReadFields(IDataStream& stream) {
  const bool read =
      stream.Read(corners, sizeof(float), 8) == 8 && ReadField(stream, emissionBacklog) &&
      ReadFlag(stream, enabled) && ReadFlag(stream, uniformSize) &&
      ReadField(stream, forceDirectionX) && ReadField(stream, forceDirectionY) &&
      ReadField(stream, forceAngle) && ReadField(stream, rotationMode) &&
      ReadField(stream, rotationOffset) && ReadFlag(stream, alignToMotion) &&
      ReadField(stream, randomRotationCentre) && ReadField(stream, randomRotationRange) &&
      ReadField(stream, fixedRotation) && ReadField(stream, spawnShape) &&
      ReadField(stream, pivotX) && ReadField(stream, pivotY) &&
      ReadFlag(stream, useEffectEmission) && ReadFlag(stream, effectRotation) &&
      ReadFlag(stream, additive) && ReadFlag(stream, singleParticle) &&
      ReadFlag(stream, useEffectOffset) && ReadFlag(stream, reservedFlag) &&
      ReadField(stream, positionX) && ReadField(stream, positionY) &&
      ReadFlag(stream, reverseDrawOrder) && ReadFlag(stream, stopped);
  return read ? Success : EmitterFieldUnreadable;
}

int32_t Emitter::Write(IDataStream& stream) {
  WriteField(stream, static_cast<uint32_t>(EmitterTag));
  WriteField(stream, version);
  if (!WriteField(stream, keys.Size())) return EmitterTrackCountNotWritten;
  for (const KeyEntry& entry : keys) {
    WriteShortString(stream, entry.key);
    if (!entry.track->Write(stream)) return EmitterTrackNotWritten;
  }
  WriteShortString(stream, GetName());
  const int32_t fields = WriteFields(stream);
  if (fields != Success) return fields;
  if (!WriteFlag(stream, animated)) return EmitterFlagNotWritten;
  if (animated) {
    frameAnimation.Write(stream);
  } else {
    WriteFrameSetBlock(stream, frameSet, frameSetName, textureName);
    WriteField(stream, frameIndex);
  }
  return Success;
}

int32_t Emitter::WriteFields(IDataStream& stream) const {
  const bool written =
      stream.Write(corners, sizeof(float), 8) == 8 && WriteField(stream, emissionBacklog) &&
      WriteFlag(stream, enabled) && WriteFlag(stream, uniformSize) &&
      WriteField(stream, forceDirectionX) && WriteField(stream, forceDirectionY) &&
      WriteField(stream, forceAngle) && WriteField(stream, rotationMode) &&
      WriteField(stream, rotationOffset) && WriteFlag(stream, alignToMotion) &&
      WriteField(stream, randomRotationCentre) && WriteField(stream, randomRotationRange) &&
      WriteField(stream, fixedRotation) && WriteField(stream, spawnShape) &&
      WriteField(stream, pivotX) && WriteField(stream, pivotY) &&
      WriteFlag(stream, useEffectEmission) && WriteFlag(stream, effectRotation) &&
      WriteFlag(stream, additive) && WriteFlag(stream, singleParticle) &&
      WriteFlag(stream, useEffectOffset) && WriteFlag(stream, reservedFlag) &&
      WriteField(stream, positionX) && WriteField(stream, positionY) &&
      WriteFlag(stream, reverseDrawOrder) && WriteFlag(stream, stopped);
  return written ? Success : EmitterFieldNotWritten;
}

}  // namespace tavrix
