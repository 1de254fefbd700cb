// Frame animation: the template's record block with its frame set, and the
// running copy each particle advances to pick its texture frame.
#include "simulation/FrameAnimation.h"

#include <cmath>

#include "module/RandomSource.h"
#include "resources/FrameSet.h"
#include "resources/NameTable.h"
#include "resources/TextureManager.h"
#include "simulation/SafeConvert.h"
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

bool FrameClock::Start(const FrameAnimation* templateAnimation) {
  if (!templateAnimation || static_cast<const FrameClock*>(templateAnimation) == this) return false;
  const FrameSet* frames = templateAnimation->frameSet;
  const uint32_t n = frames ? frames->FrameCount() : 0;
  cycleLength = templateAnimation->cycleLength;
  loop = templateAnimation->loop;
  randomStart = templateAnimation->randomStart;
  total = cycleLength;
  frameDuration = cycleLength / static_cast<float>(n > 1 ? n : 1);
  elapsed = randomStart ? static_cast<float>(ProcessRandom().Draw() * (total * 0.999f)) : 0.0f;
  hasFollowUp = false;
  finished = false;
  Advance(0.0f);
  return true;
}

void FrameClock::Advance(float dt) {
  if (finished && !hasFollowUp) return;
  elapsed += dt;
  if (!loop && elapsed >= total) {
    finished = true;
    if (!hasFollowUp) elapsed = total - frameDuration;
  }
  phase = std::fmod(elapsed, total);
  // A cycle of no length has no frame: -1 is past every frame set's end,
  // which draws the whole texture.
  currentFrame = total > 0.0f ? TruncateToInt32(phase / frameDuration, -1) : -1;
}

}  // namespace tavrix
