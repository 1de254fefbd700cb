// The cost unit on small effects played through the core on the software
// device, from the built samples' folder: one motionless 2 x 2 quad at known
// places in a 100 x 100 view gives a known overdraw and the storage its
// ring holds; live particles and births follow the emitters' own counts,
// nested copies included.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "TestPaths.h"
#include "cost/CostMeter.h"
#include "effectfile/Effect.h"
#include "module/Factory.h"
#include "module/ParticleSystem.h"
#include "record/EffectEnvelope.h"
#include "registry/EffectRegistry.h"
#include "simulation/Emitter.h"
#include "software/SoftwareDevice.h"
#include "support/TempDir.h"

namespace tavrix::test {
namespace {

using Json = nlohmann::ordered_json;

constexpr cost::ViewArea kView{0, 0, 100, 100};

// An effect loaded and started in a system of the core's own, its files
// found from the built samples' folder.
class PlayedEffect {
 public:
  explicit PlayedEffect(const std::string& path)
      : folder_(std::filesystem::current_path()), device_(software::DeviceOptions{100, 100}) {
    std::filesystem::current_path(TAVRIX_SAMPLES_BUILT);
    factory_ = CreateFactory(nullptr);
    system_ = factory_->CreateSystem();
    system_->Initialise(&window_, &device_, nullptr);
    system_->SetViewSize(100, 100, false);
    id_ = system_->LoadEffect(path.c_str());
    system_->PlayEffect(id_, 0);
    meter_ = std::make_unique<cost::CostMeter>(*system_);
  }
  ~PlayedEffect() {
    system_->Release();
    factory_->Release();
    std::filesystem::current_path(folder_);
  }

  // Frames of ms, each updated and drawn through the meter.
  void Play(int frames, int32_t ms) {
    for (int i = 0; i < frames; ++i) {
      meter_->Update({id_}, ms);
      meter_->Draw({id_});
    }
  }
  cost::EffectCost Cost() const { return meter_->CostOf(id_, kView); }
  Effect& Played() const { return *static_cast<ParticleSystem*>(system_)->Effects()->Find(id_); }

 private:
  std::filesystem::path folder_;
  software::SoftwareDevice device_;
  HWND__ window_{0, 0, 100, 100};
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  int32_t id_ = -1;
  std::unique_ptr<cost::CostMeter> meter_;
};

std::string EffectFile(const TempDir& folder, const Json& emitters) {
  const Json record = {{"emitters", emitters}, {"durationSeconds", 10}};
  const record::Bytes file = record::EncipherEffect(record::RecordFromJson(record));
  return folder.Write("cost.eff", std::string(file.begin(), file.end()));
}

Json Disc(Json emitter) {
  emitter["frameSet"] = Json::parse(
      R"({"frameSetName": "particle", "textureName": "disc.png", "frames": [[0, 0, 1, 1]]})");
  return emitter;
}

struct QuadPlace {
  float x, y;
  double area;  // of the 2 x 2 quad inside the view, whatever its angle
};

class CostOfOneQuad : public ::testing::TestWithParam<QuadPlace> {};

TEST_P(CostOfOneQuad, OverdrawIsTheAreaInsideTheViewOverTheView) {
  TempDir folder;
  const QuadPlace place = GetParam();
  PlayedEffect played(EffectFile(
      folder, Json::array({Disc(
                  {{"singleParticle", 1}, {"positionX", place.x}, {"positionY", place.y}})})));
  played.Play(1, 16);
  const cost::EffectCost cost = played.Cost();
  ASSERT_EQ(cost.emitters.size(), 1u);
  EXPECT_NEAR(cost.total.overdraw, place.area / kView.Area(), 1e-8);
  EXPECT_EQ(cost.total.live, 1);
  EXPECT_EQ(cost.total.quads, 1);
  const auto& emitter = dynamic_cast<Emitter&>(*played.Played().emitters[0]);
  EXPECT_EQ(cost.total.bytes, double(emitter.Capacity() * kBytesPerParticle));
  EXPECT_GE(emitter.Capacity(), 1u);
}

// Inside; halved by the top edge; a quarter in the corner (a square's four
// quarters about its centre are alike, turned or not); outside.
INSTANTIATE_TEST_SUITE_P(Places, CostOfOneQuad,
                         ::testing::Values(QuadPlace{50, 50, 4}, QuadPlace{50, 0, 2},
                                           QuadPlace{0, 0, 1}, QuadPlace{-5, -5, 0}));

TEST(CostMeter, LiveAndBirthsAreTheEmittersOwn) {
  TempDir folder;
  // The default emitter spawns 10 a second: one every other 50 ms step.
  PlayedEffect played(EffectFile(folder, Json::array({Disc({}), Disc({{"singleParticle", 1}})})));
  played.Play(40, 50);
  const cost::EffectCost cost = played.Cost();
  ASSERT_EQ(cost.emitters.size(), 2u);
  EXPECT_EQ(cost.emitters[0].cost.live, played.Played().emitters[0]->GetParticleCount());
  EXPECT_EQ(cost.emitters[0].cost.spawnedPerSecond, 10.0);
  EXPECT_EQ(cost.emitters[1].cost.spawnedPerSecond, 0.0);
  EXPECT_EQ(cost.total.live, played.Played().GetParticleCount());
}

TEST(CostMeter, NestedCopiesCountTowardsTheirEmitter) {
  PlayedEffect burst("burst.eff");
  burst.Play(90, 17);  // past the copies' start at 1 s
  const cost::EffectCost cost = burst.Cost();
  ASSERT_EQ(cost.emitters.size(), 2u);
  EXPECT_EQ(cost.emitters[0].name, "sparks");
  EXPECT_GT(cost.emitters[0].cost.live, 0);
  EXPECT_GT(cost.emitters[0].cost.bytes, 0);
  EXPECT_EQ(cost.total.live, burst.Played().GetParticleCount());
}

}  // namespace
}  // namespace tavrix::test
