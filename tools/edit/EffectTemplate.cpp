#include "edit/EffectTemplate.h"

#include "edit/TrackBody.h"

namespace tavrix::edit {
namespace {

Json Track(const char* key, std::initializer_list<TrackKey> keys) {
  TrackBody body = TrackBody::Defaults(*FindTrackInfo(TrackOwner::Emitter, key));
  for (const TrackKey& k : keys) body.AddKey(k.time, k.value);
  return body.ToJson(key);
}

}  // namespace

Json DefaultEmitter(const std::string& name, const std::string& frameSetName) {
  return Json{{"magic", "ET2D"},
              {"version", 1},
              {"tracks", Json::array()},
              {"name", name},
              {"corners", {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}}},
              {"emissionBacklog", 0},
              {"enabled", 1},
              {"uniformSize", 1},
              {"forceDirectionX", 0},
              {"forceDirectionY", -1},
              {"forceAngle", 0},
              {"rotationMode", 1},
              {"rotationOffset", 0},
              {"alignToMotion", 0},
              {"randomRotationCentre", 0},
              {"randomRotationRange", 360},
              {"fixedRotation", 0},
              {"spawnShape", 0},
              {"pivotX", 0.5},
              {"pivotY", 0.5},
              {"useEffectEmission", 1},
              {"effectRotation", 0},
              {"additive", 0},
              {"singleParticle", 0},
              {"useEffectOffset", 0},
              {"reservedFlag", 0},
              {"positionX", 0},
              {"positionY", 0},
              {"reverseDrawOrder", 0},
              {"stopped", 0},
              {"animated", 0},
              {"frameSet",
               {{"frameSetName", frameSetName},
                {"textureName", TemplateTexture},
                {"frames", {{0, 0, 1, 1}}},
                {"frameIndex", 0}}}};
}

Json DefaultSubEffect(const std::string& name) {
  return Json{{"magic", "SE2D"}, {"version", 1},   {"name", name},    {"enabled", 1},
              {"positionX", 0},  {"positionY", 0}, {"startDelay", 0}, {"effectFile", ""},
              {"copiesMin", 1},  {"copiesMax", 1}, {"speedMin", 10},  {"speedMax", 10},
              {"angleMin", 0},   {"angleMax", 0}};
}

Json NewEffect() {
  Json emitter = DefaultEmitter("Emitter 1", "particle");
  emitter["tracks"] =
      Json::array({Track("BaseX", {{0, 16}}), Track("LifeVisible", {{0, 1}, {1, 0}})});
  return Json{{"tag", "TVPS"},
              {"version", 1},
              {"tracks", Json::array()},
              {"emitters", Json::array({emitter})},
              {"positionX", 0},
              {"positionY", 0},
              {"frameWidth", 0},
              {"frameHeight", 0},
              {"running", 0},
              {"elapsedSeconds", 0},
              {"stopping", 0},
              {"endMode", 1},
              {"durationSeconds", 2}};
}

}  // namespace tavrix::edit
