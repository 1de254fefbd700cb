// The name and a one-line meaning of every result code, for hosts and tools
// that report codes to people. Header-only: nothing here crosses the
// library's boundary.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix {

struct ResultCodeInfo {
  int32_t code;
  const char* name;
  const char* meaning;
};

inline constexpr ResultCodeInfo kResultCodes[] = {
    {0, "Success", "the operation succeeded"},
    {-1, "EffectEnded", "not a failure: an effect reached its end"},
    {400, "DefaultEffectSize", "not a failure: the default effect width and height"},
    {-4000, "LoadNoRegistry", "LoadEffect before a successful Initialise"},
    {-3999, "EffectFileOpenFailed", "the effect file cannot be opened for reading"},
    {-3998, "EffectAllocFailed", "no memory for the effect while loading"},
    {-3997, "EffectHeaderUnreadable", "effect record: the two header words cannot be read"},
    {-3995, "EffectTrackCountUnreadable",
     "effect record: the count of named tracks cannot be read"},
    {-3994, "EffectTrackUnknown", "effect record: a track name is not one of the effect's tracks"},
    {-3993, "EffectTrackUnreadable", "effect record: a named track's data cannot be read"},
    {-3991, "EffectEmittersUnreadable",
     "effect record: the emitter count cannot be read, or an emitter cannot be created"},
    {-3990, "EffectStateUnreadable", "effect record: the closing play-state block cannot be read"},
    {-3989, "EmitterHeaderUnreadable", "emitter record: the two header words cannot be read"},
    {-3988, "EmitterBadVersion",
     "emitter record: wrong magic word, or a version lower than the current one"},
    {-3987, "EmitterTrackCountUnreadable", "emitter record: the track count cannot be read"},
    {-3986, "EmitterTrackUnknown",
     "emitter record: a track name is not one of the emitter's tracks"},
    {-3985, "EmitterTrackUnreadable", "emitter record: a track's data cannot be read"},
    {-3983, "EmitterFieldUnreadable", "emitter record: a field cannot be read"},
    {-3982, "EmitterFlagUnreadable",
     "emitter record: the animation flag or first field group cannot be read"},
    {-3981, "EmitterFramesUnreadable", "emitter record: the frame-set block cannot be read"},
    {-3978, "EffectPlacementUnreadable", "effect record: position or frame size cannot be read"},
    {-3977, "RegistryAllocFailed", "Initialise: no memory for the effect registry"},
    {-3976, "ParticlePoolFailed", "Initialise: the particle pool cannot be created"},
    {-3975, "TextureManagerAllocFailed", "Initialise: no memory for the texture manager"},
    {-3974, "RendererAllocFailed", "Initialise: no memory for the renderer"},
    {-3967, "TextureFileNotFound", "a texture file is not found under image\\"},
    {-3966, "TextureLoadFailed", "a texture cannot be created or loaded"},
    {-3962, "DrawNoRenderer", "DrawAll before a successful Initialise"},
    {-3961, "EmitterNoFrameSet", "an emitter with live particles has no frame set to draw"},
    {-3960, "PlayNoRegistry", "PlayEffect before a successful Initialise"},
    {-3959, "PlayNoEmitters", "the effect has no emitters to start"},
    {-3958, "ClearNoRegistry", "ClearEffect before a successful Initialise"},
    {-3957, "ClearNoEmitters", "the effect has no emitters to clear"},
    {-3956, "UpdateNoRegistry", "an update before a successful Initialise"},
    {-3955, "UnloadNoRegistry", "UnloadEffect before a successful Initialise"},
    {-3954, "ViewNoRenderer", "SetViewSize before a successful Initialise"},
    {-3953, "PositionNoRegistry", "SetEffectPosition before a successful Initialise"},
    {-3952, "PositionNoEffect", "SetEffectPosition with an unknown effect identifier"},
    {-3951, "SaveNoRegistry", "SaveEffect before a successful Initialise"},
    {-3950, "SaveNoEffect", "SaveEffect while no effect is loaded"},
    {-3949, "SaveFileOpenFailed", "SaveEffect: the file cannot be opened for writing"},
    {-3948, "EffectStateNotWritten", "effect record: the play-state block cannot be written"},
    {-3947, "EffectTrackNotWritten", "effect record: a named track cannot be written"},
    {-3946, "EmitterTrackCountNotWritten", "emitter record: the track count cannot be written"},
    {-3945, "EmitterTrackNotWritten", "emitter record: a track or field cannot be written"},
    {-3944, "EmitterFieldNotWritten", "emitter record: a field cannot be written"},
    {-3943, "EmitterFlagNotWritten", "emitter record: the animation flag cannot be written"},
    {-3942, "EffectPlacementNotWritten", "effect record: position or frame size cannot be written"},
    {-3941, "EffectHeaderNotWritten", "effect record: the header words cannot be written"},
    {-3940, "EffectTrackCountNotWritten",
     "effect record: the count of named tracks cannot be written"},
    {-3938, "Disabled", "effects are disabled by EnableParticle=0 in Particle.ini"},
};

// The entry of a code, or null for a number that is no result code.
inline const ResultCodeInfo* FindResultCode(int32_t code) {
  for (const ResultCodeInfo& info : kResultCodes) {
    if (info.code == code) return &info;
  }
  return nullptr;
}

// "EffectTrackUnknown"; "identifier" for other non-negative values (what
// LoadEffect returns), "unknown result code" for other negative ones.
inline const char* ResultCodeName(int32_t code) {
  if (const ResultCodeInfo* info = FindResultCode(code)) return info->name;
  return code >= 0 ? "identifier" : "unknown result code";
}

inline const char* ResultCodeMeaning(int32_t code) {
  if (const ResultCodeInfo* info = FindResultCode(code)) return info->meaning;
  return code >= 0 ? "an effect identifier" : "a number the library does not produce";
}

}  // namespace tavrix
