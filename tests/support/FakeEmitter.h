// A scripted emitter for frame-cycle tests: it counts every call, records
// the steps it is given and the order in which emitters are drawn, and
// reports the particle counts and results it is told to.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "simulation/IParticleEmitter.h"

namespace tavrix::test {

class FakeEmitter final : public IParticleEmitter {
 public:
  // Draws append label to drawLog when one is given.
  explicit FakeEmitter(std::string label = std::string(),
                       std::vector<std::string>* drawLog = nullptr);

  // Allocated through the host allocator, as an effect's emitters are.
  static FakeEmitter* Create(std::string label = std::string(),
                             std::vector<std::string>* drawLog = nullptr);

  void Release() override;
  void Init(EffectBase* owner) override { this->owner = owner; }
  int32_t Read(IDataStream&) override { return 0; }
  void SetName(const char* text) override { name = text ? text : ""; }
  const char* GetName() override { return name.c_str(); }
  int32_t Draw(IParticleRenderer& renderer) override;
  int32_t Restart(bool clear) override;
  int32_t StopEmission() override;
  int32_t Kill() override;
  int32_t Clear() override;
  int32_t Update(float dt) override;
  bool IsEnabled() override { return enabled; }
  void SetEnabled(bool value) override { enabled = value; }
  int32_t GetParticleCount() override { return particles; }
  int32_t Write(IDataStream&) override { return 0; }
  void SetParticleOffset(float x, float y) override { offsets.emplace_back(x, y); }
  int32_t SetBaseSpeed(float) override { return 0; }
  int32_t SetBaseEmissionAngle(float) override { return 0; }
  void SetPosition(float, float) override {}
  void* Destroy(unsigned int flags) override;

  // Script.
  bool enabled = true;
  int32_t particles = 0;  // Kill and Clear set it to 0
  int32_t restartResult = 0;
  int32_t drawResult = 0;
  int32_t clearResult = 0;

  // Record.
  EffectBase* owner = nullptr;
  std::string name;
  std::vector<float> updates;
  std::vector<bool> restarts;
  int stopEmissions = 0;
  int kills = 0;
  int clears = 0;
  int draws = 0;
  std::vector<std::pair<float, float>> offsets;
  bool* releasedFlag = nullptr;  // set on Release when given

 private:
  std::string label_;
  std::vector<std::string>* drawLog_;
};

}  // namespace tavrix::test
