// Sets up and tears down the surroundings of effect tests in the order the
// library itself does: names first, the registry and its pool last.
#include "support/EffectEnvironment.h"

namespace tavrix::test {

EffectEnvironment::EffectEnvironment()
    : previousTable_(CurrentNameTable()), names_(std::make_unique<NameTable>()) {
  SetCurrentNameTable(names_.get());
  registry_ = std::make_unique<EffectRegistry>();
  registry_->CreateParticlePool();
}

EffectEnvironment::~EffectEnvironment() {
  registry_.reset();
  SetCurrentNameTable(previousTable_);
  names_.reset();
}

}  // namespace tavrix::test
