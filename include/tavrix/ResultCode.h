// Result codes returned across the library boundary. Zero is success,
// LoadEffect returns identifiers of zero or more, and every failure has its
// own negative number. -1 and 400 travel on the same channel without being
// failures. Nothing is thrown across the interface and nothing is logged;
// ResultCodeNames.h turns a code into a name and a meaning for people.
//
// The failures by kind: a ...NoRegistry or ...NoRenderer code means
// Initialise has not succeeded; Disabled, that Particle.ini switched effects
// off; Effect... and Emitter... codes of LoadEffect, that the file is
// damaged or not an effect; ...NotWritten codes come from SaveEffect.
// TextureFileNotFound and TextureLoadFailed never reach the host: the effect
// loads and draws without that texture.
#pragma once

#include <cstdint>

namespace tavrix {

enum ResultCode : int32_t {
  Success = 0,
  EffectEnded = -1,         // UpdateAllTo: an effect reached its end
  DefaultEffectSize = 400,  // GetEffectWidth, GetEffectHeight: no size stored

  LoadNoRegistry = -4000,
  EffectFileOpenFailed = -3999,
  EffectAllocFailed = -3998,
  EffectHeaderUnreadable = -3997,
  EffectTrackCountUnreadable = -3995,
  EffectTrackUnknown = -3994,
  EffectTrackUnreadable = -3993,
  EffectEmittersUnreadable = -3991,
  EffectStateUnreadable = -3990,
  EmitterHeaderUnreadable = -3989,
  EmitterBadVersion = -3988,
  EmitterTrackCountUnreadable = -3987,
  EmitterTrackUnknown = -3986,
  EmitterTrackUnreadable = -3985,
  EmitterFieldUnreadable = -3983,
  EmitterFlagUnreadable = -3982,
  EmitterFramesUnreadable = -3981,
  EffectPlacementUnreadable = -3978,
  RegistryAllocFailed = -3977,
  ParticlePoolFailed = -3976,
  TextureManagerAllocFailed = -3975,
  RendererAllocFailed = -3974,
  TextureFileNotFound = -3967,
  TextureLoadFailed = -3966,
  DrawNoRenderer = -3962,
  EmitterNoFrameSet = -3961,
  PlayNoRegistry = -3960,
  PlayNoEmitters = -3959,
  ClearNoRegistry = -3958,
  ClearNoEmitters = -3957,
  UpdateNoRegistry = -3956,
  UnloadNoRegistry = -3955,
  ViewNoRenderer = -3954,
  PositionNoRegistry = -3953,
  PositionNoEffect = -3952,
  SaveNoRegistry = -3951,
  SaveNoEffect = -3950,
  SaveFileOpenFailed = -3949,
  EffectStateNotWritten = -3948,
  EffectTrackNotWritten = -3947,
  EmitterTrackCountNotWritten = -3946,
  EmitterTrackNotWritten = -3945,
  EmitterFieldNotWritten = -3944,
  EmitterFlagNotWritten = -3943,
  EffectPlacementNotWritten = -3942,
  EffectHeaderNotWritten = -3941,
  EffectTrackCountNotWritten = -3940,
  Disabled = -3938,
};

}  // namespace tavrix
