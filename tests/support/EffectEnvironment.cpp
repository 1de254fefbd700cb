// Sets up and tears down the surroundings of effect tests in the order the
// library itself does: names first, the registry and its pool last.
#include "support/EffectEnvironment.h"

#include "resources/TextureManager.h"

namespace tavrix::test {

EffectEnvironment::EffectEnvironment(bool withTextures)
    : previousTable_(CurrentNameTable()), names_(std::make_unique<NameTable>()) {
  SetCurrentNameTable(names_.get());
  if (withTextures) textures_ = std::make_unique<TextureManager>(TextureManager::DeviceMode);
  registry_ = std::make_unique<EffectRegistry>();
  registry_->CreateParticlePool();
}

EffectEnvironment::~EffectEnvironment() {
  registry_.reset();
  textures_.reset();
  SetCurrentNameTable(previousTable_);
  names_.reset();
}

}  // namespace tavrix::test
