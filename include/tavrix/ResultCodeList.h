// Every result code once: its enumerator, its number and a one-line meaning
// for people. ResultCode.h makes the enum of it and ResultCodeNames.h the
// table of names and meanings that hosts, the tools and the web package read.
// Zero is success and failures are negative; -1 and 400 travel on the same
// channel without being failures.
#pragma once

// clang-format off
#define TAVRIX_RESULT_CODES(X) \
  X(Success, 0, "the operation succeeded") \
  X(EffectEnded, -1, "not a failure: an effect reached its end") \
  X(DefaultEffectSize, 400, "not a failure: the default effect width and height") \
  X(LoadNoRegistry, -4000, "LoadEffect before a successful Initialise") \
  X(EffectFileOpenFailed, -3999, "the effect file cannot be opened for reading") \
  X(EffectAllocFailed, -3998, "no memory for the effect while loading") \
  X(EffectHeaderUnreadable, -3997, "effect record: the two header words cannot be read") \
  X(EffectTrackCountUnreadable, -3995, "effect record: the count of named tracks cannot be read") \
  X(EffectTrackUnknown, -3994, "effect record: a track name is not one of the effect's tracks") \
  X(EffectTrackUnreadable, -3993, "effect record: a named track's data cannot be read") \
  X(EffectEmittersUnreadable, -3991, "effect record: the emitter count cannot be read, or an emitter cannot be created") \
  X(EffectStateUnreadable, -3990, "effect record: the closing play-state block cannot be read") \
  X(EmitterHeaderUnreadable, -3989, "emitter record: the two header words cannot be read") \
  X(EmitterBadVersion, -3988, "emitter record: wrong magic word, or a version lower than the current one") \
  X(EmitterTrackCountUnreadable, -3987, "emitter record: the track count cannot be read") \
  X(EmitterTrackUnknown, -3986, "emitter record: a track name is not one of the emitter's tracks") \
  X(EmitterTrackUnreadable, -3985, "emitter record: a track's data cannot be read") \
  X(EmitterFieldUnreadable, -3983, "emitter record: a field cannot be read") \
  X(EmitterFlagUnreadable, -3982, "emitter record: the animation flag or first field group cannot be read") \
  X(EmitterFramesUnreadable, -3981, "emitter record: the frame-set block cannot be read") \
  X(EffectPlacementUnreadable, -3978, "effect record: position or frame size cannot be read") \
  X(RegistryAllocFailed, -3977, "Initialise: no memory for the effect registry") \
  X(ParticlePoolFailed, -3976, "Initialise: the particle pool cannot be created") \
  X(TextureManagerAllocFailed, -3975, "Initialise: no memory for the texture manager") \
  X(RendererAllocFailed, -3974, "Initialise: no memory for the renderer") \
  X(TextureFileNotFound, -3967, "a texture file is not found under image\\") \
  X(TextureLoadFailed, -3966, "a texture cannot be created or loaded") \
  X(DrawNoRenderer, -3962, "DrawAll before a successful Initialise") \
  X(EmitterNoFrameSet, -3961, "an emitter with live particles has no frame set to draw") \
  X(PlayNoRegistry, -3960, "PlayEffect before a successful Initialise") \
  X(PlayNoEmitters, -3959, "the effect has no emitters to start") \
  X(ClearNoRegistry, -3958, "ClearEffect before a successful Initialise") \
  X(ClearNoEmitters, -3957, "the effect has no emitters to clear") \
  X(UpdateNoRegistry, -3956, "an update before a successful Initialise") \
  X(UnloadNoRegistry, -3955, "UnloadEffect before a successful Initialise") \
  X(ViewNoRenderer, -3954, "SetViewSize before a successful Initialise") \
  X(PositionNoRegistry, -3953, "SetEffectPosition before a successful Initialise") \
  X(PositionNoEffect, -3952, "SetEffectPosition with an unknown effect identifier") \
  X(SaveNoRegistry, -3951, "SaveEffect before a successful Initialise") \
  X(SaveNoEffect, -3950, "SaveEffect while no effect is loaded") \
  X(SaveFileOpenFailed, -3949, "SaveEffect: the file cannot be opened for writing") \
  X(EffectStateNotWritten, -3948, "effect record: the play-state block cannot be written") \
  X(EffectTrackNotWritten, -3947, "effect record: a named track cannot be written") \
  X(EmitterTrackCountNotWritten, -3946, "emitter record: the track count cannot be written") \
  X(EmitterTrackNotWritten, -3945, "emitter record: a track or field cannot be written") \
  X(EmitterFieldNotWritten, -3944, "emitter record: a field cannot be written") \
  X(EmitterFlagNotWritten, -3943, "emitter record: the animation flag cannot be written") \
  X(EffectPlacementNotWritten, -3942, "effect record: position or frame size cannot be written") \
  X(EffectHeaderNotWritten, -3941, "effect record: the header words cannot be written") \
  X(EffectTrackCountNotWritten, -3940, "effect record: the count of named tracks cannot be written") \
  X(Disabled, -3938, "effects are disabled by EnableParticle=0 in Particle.ini")
// clang-format on
