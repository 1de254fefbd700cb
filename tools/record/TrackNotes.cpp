#include "record/TrackNotes.h"

#include <iterator>

namespace tavrix::record {
namespace {

constexpr TrackTime Secs = TrackTime::EffectSeconds;
constexpr TrackTime Age = TrackTime::NormalisedAge;
constexpr TrackTime Norm = TrackTime::NormalisedEffectTime;

const TrackNote EffectNotes[] = {
    {"ScaleLife", Secs, "factor", "multiplies every emitter's particle lifetime at birth"},
    {"ScaleQuantity", Secs, "factor", "multiplies every emitter's emission rate"},
    {"ScaleX", Secs, "factor", "multiplies the particles' width at birth"},
    {"ScaleY", Secs, "factor", "multiplies the particles' height at birth"},
    {"ScaleSpeed", Secs, "factor", "multiplies the particles' speed factor at birth"},
    {"ScaleSpin", Secs, "factor", "multiplies the particles' spin at birth"},
    {"ScaleFixedForce", Secs, "factor", "multiplies the particles' steady force at birth"},
    {"ScaleRand", Secs, "factor", "multiplies the particles' random jitter at birth"},
    {"ScaleVisible", TrackTime::BirthThenNormalised, "factor",
     "multiplies every particle's opacity (LifeVisible), read at time 0 on the particle's first "
     "step"},
    {"BaseEmissionForce", Secs, "view units per second at speed factor 1",
     "initial speed, times each particle's speed factor, for emitters that take their emission "
     "from the effect"},
    {"VarEmissionForce", Secs, "view units per second at speed factor 1",
     "spread of the initial speed, for emitters that take their emission from the effect"},
    {"BaseEmissionAngle", Secs, "degrees",
     "centre of the emission direction (0 up, 90 right), for emitters that take their emission "
     "from the effect"},
    {"VarEmissionAngle", Secs, "degrees",
     "spread of the emission direction, for emitters that take their emission from the effect"},
    {"BaseEmissionArc", Secs, "degrees",
     "width of the emission fan, for emitters that take their emission from the effect"},
    {"VarEmissionArc", Secs, "degrees",
     "spread of the fan width, for emitters that take their emission from the effect"},
    {"speed_whole", Norm, "factor",
     "multiplies every particle's speed (with LifeSpeed) over the effect's play"},
    {"gravity", Norm, "pull",
     "moves every particle down the view by 531.6 x gravity x step squared each step (step in "
     "seconds): a drift whose speed follows the host's frame step, not an acceleration"},
    {"sizeEffect", TrackTime::NotACurve, "view units",
     "the effect's size as the host reads it: width from the domain, height from the minimum (0 "
     "gives 400)"},
};

const TrackNote EmitterNotes[] = {
    {"BaseLife", Secs, "seconds", "particle lifetime"},
    {"VarLife", Secs, "seconds", "spread of the lifetime"},
    {"BaseQuantity", Secs, "particles per second", "emission rate"},
    {"VarQuantity", Secs, "particles per second", "spread of the emission rate"},
    {"BaseX", Secs, "view units", "particle width at birth"},
    {"VarX", Secs, "view units", "spread of the width at birth"},
    {"LifeX", Age, "factor", "width over the particle's life, times its width at birth"},
    {"BaseY", Secs, "view units", "particle height at birth (without uniform size)"},
    {"VarY", Secs, "view units", "spread of the height at birth"},
    {"LifeY", Age, "factor", "height over the particle's life, times its height at birth"},
    {"BaseSpeed", Secs, "factor",
     "speed factor at birth: multiplies the emission force and the motion that the steady force "
     "and the jitter add"},
    {"VarSpeed", Secs, "factor", "spread of the speed factor"},
    {"LifeSpeed", Age, "factor", "speed over the particle's life, times its speed at birth"},
    {"BaseSpin", Secs, "degrees per second", "spin at birth"},
    {"VarSpin", Secs, "degrees per second", "spread of the spin"},
    {"LifeSpin", Age, "factor", "spin over the particle's life, times its spin at birth"},
    {"BaseFixedForce", Secs, "view units per second squared at speed factor 1",
     "steady force along the stored force direction (forceDirectionX/Y, not forceAngle); the "
     "particle accelerates by it times its speed factor"},
    {"VarFixedForce", Secs, "view units per second squared at speed factor 1",
     "spread of the steady force"},
    {"LifeFixedForce", Age, "factor",
     "steady force over the particle's life, times its steady force at birth"},
    {"BaseRand", Secs, "view units per second squared at speed factor 1",
     "strength of the random jitter, times the particle's speed factor like the steady force"},
    {"VarRand", Secs, "view units per second squared at speed factor 1",
     "spread of the jitter strength"},
    {"LifeRand", Age, "factor", "jitter over the particle's life, times its strength at birth"},
    {"BaseEmissionForce", Secs, "view units per second at speed factor 1",
     "initial speed, times the particle's speed factor"},
    {"VarEmissionForce", Secs, "view units per second at speed factor 1",
     "spread of the initial speed"},
    {"BaseEmissionAngle", Secs, "degrees", "centre of the emission direction (0 up, 90 right)"},
    {"VarEmissionAngle", Secs, "degrees", "spread of the emission direction"},
    {"BaseEmissionArc", Secs, "degrees", "width of the emission fan around the direction"},
    {"VarEmissionArc", Secs, "degrees", "spread of the fan width"},
    {"LifeRed", Age, "0 to 1", "red over the particle's life"},
    {"LifeGreen", Age, "0 to 1", "green over the particle's life"},
    {"LifeBlue", Age, "0 to 1", "blue over the particle's life"},
    {"LifeVisible", Age, "0 to 1",
     "opacity over the particle's life, times the effect's ScaleVisible"},
};

}  // namespace

const TrackNote* FindTrackNote(TrackOwner owner, std::string_view key) {
  const bool effect = owner == TrackOwner::Effect;
  const TrackNote* notes = effect ? EffectNotes : EmitterNotes;
  const size_t count = effect ? std::size(EffectNotes) : std::size(EmitterNotes);
  for (size_t i = 0; i < count; ++i)
    if (notes[i].key == key) return &notes[i];
  return nullptr;
}

}  // namespace tavrix::record
