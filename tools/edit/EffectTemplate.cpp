#include "edit/EffectTemplate.h"

namespace tavrix::edit {
namespace {

Json Keys(std::initializer_list<std::pair<double, double>> keys) {
  Json list = Json::array();
  for (const auto& [time, value] : keys) list.push_back({{"time", time}, {"value", value}});
  return list;
}

Json FrameSet(const std::string& frameSetName) {
  return {
      {"frameSetName", frameSetName}, {"textureName", TemplateTexture}, {"frames", {{0, 0, 1, 1}}}};
}

// An emitter with every other field at its default.
Json CompletedEmitter(const Json& emitter) {
  return record::CompleteRecord(Json{{"emitters", Json::array({emitter})}})["emitters"][0];
}

}  // namespace

// Drawn where the host places the effect, and playing on without the clear
// a loop makes: what a newcomer expects of a first effect.
Json StarterEffect() {
  const Json emitter = {{"name", "Emitter 1"},
                        {"useEffectOffset", 1},
                        {"tracks",
                         {{{"name", "BaseX"}, {"keys", Keys({{0, 16}})}},
                          {{"name", "LifeVisible"}, {"keys", Keys({{0, 1}, {1, 0}})}}}},
                        {"frameSet", FrameSet("particle")}};
  return Json{{"emitters", Json::array({emitter})}, {"endMode", 0}, {"durationSeconds", 2}};
}

Json NewEffect() { return record::CompleteRecord(StarterEffect()); }

Json DefaultEmitter(const std::string& name, const std::string& frameSetName) {
  return CompletedEmitter({{"name", name}, {"frameSet", FrameSet(frameSetName)}});
}

Json DefaultSubEffect(const std::string& name) {
  return CompletedEmitter({{"magic", "SE2D"},
                           {"name", name},
                           {"copiesMin", 1},
                           {"copiesMax", 1},
                           {"speedMin", 10},
                           {"speedMax", 10}});
}

}  // namespace tavrix::edit
