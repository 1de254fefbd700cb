#include "edit/TrackCatalog.h"

#include "edit/NameCompare.h"

namespace tavrix::edit {
namespace {

constexpr TrackOwner E = TrackOwner::Effect;
constexpr TrackOwner M = TrackOwner::Emitter;
constexpr TimeBasis Secs = TimeBasis::EffectSeconds;
constexpr TimeBasis Age = TimeBasis::NormalisedAge;
constexpr TimeBasis Norm = TimeBasis::NormalisedEffectTime;

// Domains, ranges and defaults are the tracks' state after the library's
// initialisation: "sizeEffect" is given bounds 400 and 0, which it swaps.
const TrackInfo kTracks[] = {
    {E, "ScaleLife", 1000, 0, 100, 1, Secs, "x",
     "multiplies every emitter's particle lifetime at birth"},
    {E, "ScaleQuantity", 1000, 0, 100, 1, Secs, "x", "multiplies every emitter's emission rate"},
    {E, "ScaleX", 1000, 0, 100, 1, Secs, "x", "multiplies the particles' width at birth"},
    {E, "ScaleY", 1000, 0, 100, 1, Secs, "x", "multiplies the particles' height at birth"},
    {E, "ScaleSpeed", 1000, 0, 100, 1, Secs, "x",
     "multiplies the particles' speed factor at birth"},
    {E, "ScaleSpin", 1000, -100, 100, 1, Secs, "x", "multiplies the particles' spin at birth"},
    {E, "ScaleFixedForce", 1000, -100, 100, 1, Secs, "x",
     "multiplies the particles' steady force at birth"},
    {E, "ScaleRand", 1000, 0, 100, 1, Secs, "x",
     "multiplies the particles' random jitter at birth"},
    {E, "ScaleVisible", 1000, 0, 100, 1, Norm, "x",
     "multiplies every particle's opacity (at 0 for a particle's first step)"},
    {E, "BaseEmissionForce", 1000, -1000, 1000, 5, Secs, "view units per second",
     "initial speed, for emitters that take their emission from the effect"},
    {E, "VarEmissionForce", 1000, 0, 2000, 0, Secs, "view units per second",
     "spread of the initial speed, for emitters that take their emission from the effect"},
    {E, "BaseEmissionAngle", 1000, -3600, 3600, 0, Secs, "degrees",
     "centre of the emission direction (0 up, 90 right), for emitters that take their emission "
     "from the effect"},
    {E, "VarEmissionAngle", 1000, 0, 720, 0, Secs, "degrees",
     "spread of the emission direction, for emitters that take their emission from the effect"},
    {E, "BaseEmissionArc", 1000, 0, 360, 360, Secs, "degrees",
     "width of the emission fan, for emitters that take their emission from the effect"},
    {E, "VarEmissionArc", 1000, 0, 720, 0, Secs, "degrees",
     "spread of the fan width, for emitters that take their emission from the effect"},
    {E, "speed_whole", 1, 0, 100, 1, Norm, "x",
     "multiplies every particle's speed over the effect's play"},
    {E, "gravity", 1, 0, 100, 0, Norm, "pull", "pulls every particle down the view"},
    {E, "sizeEffect", 400, 0, 400, 0, TimeBasis::NotACurve, "view units",
     "the effect's size: its domain is the width and its minimum the height"},
    {M, "BaseLife", 1000, 0, 1000, 2, Secs, "seconds", "particle lifetime"},
    {M, "VarLife", 1000, 0, 2000, 0, Secs, "seconds", "spread of the lifetime"},
    {M, "BaseQuantity", 1000, 0, 1000, 10, Secs, "particles per second", "emission rate"},
    {M, "VarQuantity", 1000, 0, 2000, 0, Secs, "particles per second",
     "spread of the emission rate"},
    {M, "BaseX", 1000, 0, 1000, 2, Secs, "view units", "particle width at birth"},
    {M, "VarX", 1000, 0, 2000, 0, Secs, "view units", "spread of the width at birth"},
    {M, "LifeX", 1, -100, 100, 1, Age, "x",
     "width over the particle's life, times its width at birth"},
    {M, "BaseY", 1000, 0, 1000, 2, Secs, "view units",
     "particle height at birth (without uniform size)"},
    {M, "VarY", 1000, 0, 2000, 0, Secs, "view units", "spread of the height at birth"},
    {M, "LifeY", 1, -100, 100, 1, Age, "x",
     "height over the particle's life, times its height at birth"},
    {M, "BaseSpeed", 1000, 0, 1000, 10, Secs, "x",
     "speed factor at birth, times the emission force"},
    {M, "VarSpeed", 1000, 0, 2000, 0, Secs, "x", "spread of the speed factor"},
    {M, "LifeSpeed", 1, -100, 100, 1, Age, "x",
     "speed over the particle's life, times its speed at birth"},
    {M, "BaseSpin", 1000, -3600, 3600, 0, Secs, "degrees per second", "spin at birth"},
    {M, "VarSpin", 1000, 0, 2000, 0, Secs, "degrees per second", "spread of the spin"},
    {M, "LifeSpin", 1, -100, 100, 1, Age, "x",
     "spin over the particle's life, times its spin at birth"},
    {M, "BaseFixedForce", 1000, -1000, 1000, 0, Secs, "view units per second squared",
     "steady force along the force angle"},
    {M, "VarFixedForce", 1000, 0, 2000, 0, Secs, "view units per second squared",
     "spread of the steady force"},
    {M, "LifeFixedForce", 1, -100, 100, 1, Age, "x", "steady force over the particle's life"},
    {M, "BaseRand", 1000, 0, 1000, 0, Secs, "view units per second squared",
     "strength of the random jitter"},
    {M, "VarRand", 1000, 0, 2000, 0, Secs, "view units per second squared",
     "spread of the jitter strength"},
    {M, "LifeRand", 1, -100, 100, 1, Age, "x", "jitter over the particle's life"},
    {M, "BaseEmissionForce", 1000, -1000, 1000, 5, Secs, "view units per second",
     "initial speed, before the speed factor"},
    {M, "VarEmissionForce", 1000, 0, 2000, 0, Secs, "view units per second",
     "spread of the initial speed"},
    {M, "BaseEmissionAngle", 1000, -3600, 3600, 0, Secs, "degrees",
     "centre of the emission direction (0 up, 90 right)"},
    {M, "VarEmissionAngle", 1000, 0, 720, 0, Secs, "degrees", "spread of the emission direction"},
    {M, "BaseEmissionArc", 1000, 0, 360, 360, Secs, "degrees",
     "width of the emission fan around the direction"},
    {M, "VarEmissionArc", 1000, 0, 720, 0, Secs, "degrees", "spread of the fan width"},
    {M, "LifeRed", 1, 0, 1, 1, Age, "0 to 1", "red over the particle's life"},
    {M, "LifeGreen", 1, 0, 1, 1, Age, "0 to 1", "green over the particle's life"},
    {M, "LifeBlue", 1, 0, 1, 1, Age, "0 to 1", "blue over the particle's life"},
    {M, "LifeVisible", 1, 0, 1, 1, Age, "0 to 1",
     "opacity over the particle's life, times the effect's ScaleVisible"},
};

}  // namespace

std::vector<const TrackInfo*> TracksOf(TrackOwner owner) {
  std::vector<const TrackInfo*> tracks;
  for (const TrackInfo& info : kTracks)
    if (info.owner == owner) tracks.push_back(&info);
  return tracks;
}

const TrackInfo* FindTrackInfo(TrackOwner owner, std::string_view key) {
  for (const TrackInfo& info : kTracks)
    if (info.owner == owner && SameName(info.key, key)) return &info;
  return nullptr;
}

const TrackInfo* SpreadOf(const TrackInfo& base) {
  const std::string_view key = base.key;
  if (key.substr(0, 4) != "Base") return nullptr;
  return FindTrackInfo(base.owner, "Var" + std::string(key.substr(4)));
}

const char* TimeBasisText(TimeBasis basis) {
  switch (basis) {
    case TimeBasis::EffectSeconds:
      return "effect time in seconds";
    case TimeBasis::NormalisedAge:
      return "the particle's normalised age (0 at birth, 1 at death)";
    case TimeBasis::NormalisedEffectTime:
      return "normalised effect time (elapsed / duration)";
    case TimeBasis::NotACurve:
      return "not evaluated over time";
  }
  return "";
}

}  // namespace tavrix::edit
