// Frame animation: the template's record block with its frame set, and the
// running copy each particle advances to pick its texture frame.
#include "simulation/FrameAnimation.h"

#include <cmath>

#include "base/RandomSource.h"
#include "base/SafeConvert.h"
#include "resources/FrameSet.h"
#include "resources/NameTable.h"
#include "resources/TextureManager.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

FrameAnimation::~FrameAnimation() { ReleaseFrameSet(frameSet); }

void ReleaseFrameSet(FrameSet*& frameSet) {
  TextureManager* manager = CurrentTextureManager();
  if (frameSet && manager) manager->Release(frameSet);
  frameSet = nullptr;
}

FrameSet* ReadFrameSetBlock(IDataStream& stream, const char*& frameSetName,
                            const char*& textureName) {
  char text[256];
  ReadShortString(stream, text);
  frameSetName = InternName(text);
  ReadShortString(stream, text);
  textureName = InternName(text);
  TextureManager* manager = CurrentTextureManager();
  FrameSet* frameSet =
      manager ? static_cast<FrameSet*>(manager->Acquire(TextureManager::FrameSetKind, frameSetName))
              : nullptr;
  if (frameSet) frameSet->SetTexture(textureName);
  int32_t frameCount = 0;
  if (!ReadField(stream, frameCount)) frameCount = 0;
  // Stops at the end of the data: a count the file cannot back is no loop.
  HostVector<Frame, HeapStorage> frames;
  for (int32_t i = 0; i < frameCount; ++i) {
    Frame frame;
    if (stream.Read(&frame, sizeof(float), 4) != 4 || !frames.PushBack(frame)) break;
  }
  if (frameSet) frameSet->AddRun(frames.Data(), frames.Size());
  return frameSet;
}

void WriteFrameSetBlock(IDataStream& stream, const FrameSet* frameSet, const char* frameSetName,
                        const char* textureName) {
  WriteShortString(stream, frameSetName ? frameSetName : "");
  WriteShortString(stream, textureName ? textureName : "");
  const uint32_t count = frameSet ? frameSet->FrameCount() : 0;
  WriteField(stream, static_cast<int32_t>(count));
  for (uint32_t i = 0; i < count; ++i) {
    const Frame frame = frameSet->GetFrame(i);
    stream.Write(&frame, sizeof(float), 4);
  }
}

int32_t FrameAnimation::Read(IDataStream& stream) {
  ReadField(stream, cycleLength);
  uint8_t flag = 0;
  if (ReadField(stream, flag)) loop = flag != 0;
  flag = 0;
  if (ReadField(stream, flag)) randomStart = flag != 0;
  FrameSet* frames = ReadFrameSetBlock(stream, frameSetName, textureName);
  ReleaseFrameSet(frameSet);
  frameSet = frames;
  flag = 0;
  if (ReadField(stream, flag)) hasFollowUp = flag != 0;
  return Success;
}

int32_t FrameAnimation::Write(IDataStream& stream) const {
  WriteField(stream, cycleLength);
  WriteField(stream, static_cast<uint8_t>(loop));
  WriteField(stream, static_cast<uint8_t>(randomStart));
  WriteFrameSetBlock(stream, frameSet, frameSetName, textureName);
  WriteField(stream, static_cast<uint8_t>(hasFollowUp));
  return Success;
}

float FrameAnimation::FrameDuration() const {
  const uint32_t n = frameSet ? frameSet->FrameCount() : 0;
  return cycleLength / static_cast<float>(n > 1 ? n : 1);
}

void FrameAnimation::Start(float& elapsed, uint32_t& finished) const {
  elapsed =
      randomStart ? static_cast<float>(ProcessRandom().Draw() * (cycleLength * 0.999f)) : 0.0f;
  finished = 0;
  Advance(0.0f, elapsed, finished);
}

void FrameAnimation::Advance(float dt, float& elapsed, uint32_t& finished) const {
  if (finished) return;
  elapsed += dt;
  if (!loop && elapsed >= cycleLength) {
    finished = 1;
    elapsed = cycleLength - FrameDuration();
  }
}

int32_t FrameAnimation::Frame(float elapsed) const {
  // A cycle of no length has no frame: -1 is past every frame set's end,
  // which draws the whole texture.
  if (!(cycleLength > 0.0f)) return -1;
  return TruncateToInt32(std::fmod(elapsed, cycleLength) / FrameDuration(), -1);
}

}  // namespace tavrix
