// The scripted emitter of the frame-cycle tests.
#include "support/FakeEmitter.h"

#include "base/Allocator.h"

namespace tavrix::test {

FakeEmitter::FakeEmitter(std::string label, std::vector<std::string>* drawLog)
    : label_(std::move(label)), drawLog_(drawLog) {}

FakeEmitter* FakeEmitter::Create(std::string label, std::vector<std::string>* drawLog) {
  return New<FakeEmitter>(std::move(label), drawLog);
}

void FakeEmitter::Release() {
  if (releasedFlag) *releasedFlag = true;
  Destroy(1);
}

void* FakeEmitter::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

int32_t FakeEmitter::Draw(IParticleRenderer&) {
  ++draws;
  if (drawLog_) drawLog_->push_back(label_);
  return drawResult;
}

int32_t FakeEmitter::Restart(bool clear) {
  restarts.push_back(clear);
  return restartResult;
}

int32_t FakeEmitter::StopEmission() {
  ++stopEmissions;
  return 0;
}

int32_t FakeEmitter::Kill() {
  ++kills;
  particles = 0;
  return 0;
}

int32_t FakeEmitter::Clear() {
  ++clears;
  particles = 0;
  return clearResult;
}

int32_t FakeEmitter::Update(float dt) {
  updates.push_back(dt);
  return 0;
}

}  // namespace tavrix::test
