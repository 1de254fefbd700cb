// The walk over an effect's emitters and, through sub-effect emitters, the
// emitters of every copy they play, reading each particle the way the
// emitter's draw hands it to the renderer.
#include "cost/EffectCost.h"

#include "effectfile/Effect.h"
#include "simulation/Emitter.h"
#include "simulation/SubEffectEmitter.h"

namespace tavrix::cost {
namespace {

// Calls visit(emitter, drawn) with every plain emitter under emitter: itself,
// or those of the copies a sub-effect emitter plays. drawn is false below a
// disabled sub-effect emitter, which draws none of its copies.
template <class Visit>
void ForPlainEmitters(IParticleEmitter& emitter, bool drawn, Visit& visit) {
  if (auto* plain = dynamic_cast<Emitter*>(&emitter)) {
    visit(*plain, drawn);
    return;
  }
  auto* nested = dynamic_cast<SubEffectEmitter*>(&emitter);
  if (!nested) return;
  for (uint32_t i = 0; i < nested->CopyCount(); ++i)
    for (IParticleEmitter* inner : nested->Copy(i)->emitters)
      ForPlainEmitters(*inner, drawn && nested->IsEnabled(), visit);
}

std::string NameOf(IParticleEmitter& emitter, size_t index) {
  const char* name = emitter.GetName();
  return name && *name ? name : "emitter " + std::to_string(index);
}

void AddHeld(Emitter& emitter, bool drawn, const ViewArea& view, Cost& cost) {
  const int32_t live = emitter.GetParticleCount();
  cost.live += live;
  cost.bytes += double(emitter.Capacity()) * kBytesPerParticle;
  // Without frames to show the emitter's draw hands over nothing.
  if (!drawn || (!emitter.record.animated && !emitter.record.frameSet) || view.Area() <= 0) return;
  double covered = 0;
  for (int32_t i = 0; i < live; ++i) {
    const Particle p = emitter.ParticleAt(i);
    // A colour of 0 marks a particle too faint to draw.
    if (p.colour == 0) continue;
    ++cost.quads;
    covered += emitter.record.useEffectOffset ? ClippedArea(p.quad, p.offsetX, p.offsetY, view)
                                              : ClippedArea(p.quad, 0, 0, view);
  }
  cost.overdraw += covered / view.Area();
}

int64_t NewbornsOf(Emitter& emitter) {
  int64_t born = 0;
  for (int32_t i = emitter.GetParticleCount() - 1; i >= 0 && emitter.ParticleAt(i).age == 0.0f; --i)
    ++born;
  return born;
}

}  // namespace

std::vector<EmitterCost> MeasureEmitters(Effect& effect, const ViewArea& view) {
  std::vector<EmitterCost> costs;
  for (IParticleEmitter* emitter : effect.emitters) {
    EmitterCost cost{NameOf(*emitter, costs.size()), {}};
    auto add = [&](Emitter& plain, bool drawn) { AddHeld(plain, drawn, view, cost.cost); };
    ForPlainEmitters(*emitter, true, add);
    costs.push_back(std::move(cost));
  }
  return costs;
}

std::vector<int64_t> Newborns(Effect& effect) {
  std::vector<int64_t> born;
  for (IParticleEmitter* emitter : effect.emitters) {
    int64_t n = 0;
    auto add = [&](Emitter& plain, bool) { n += NewbornsOf(plain); };
    ForPlainEmitters(*emitter, true, add);
    born.push_back(n);
  }
  return born;
}

}  // namespace tavrix::cost
