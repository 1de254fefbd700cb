// The particle system: the object through which the host loads, places,
// plays, advances and draws effects. The slot order is the binary interface.
//
// Coordinates. Positions and sizes are view units: (0, 0) is the top left
// of the view, x grows to the right, y downwards. Angles in effect files are
// degrees, 0 pointing up the view, growing clockwise. Until SetViewSize is
// called the view is 120 x 90 units while its centre sits at half the
// window's client size: effects draw several times too large and vanish 60
// units from the centre. Call SetViewSize(clientWidth, clientHeight, false)
// after Initialise for one unit per pixel.
//
// Identifiers. LoadEffect hands out 0, 1, 2, ... per system and never
// reuses one, not after UnloadEffect, not after a file that failed to parse.
// An unknown identifier is no failure: UnloadEffect, PlayEffect,
// ClearEffect, UpdateEffect and DrawEffect answer 0, GetEffectWidth and
// GetEffectHeight 400; only SetEffectPosition answers PositionNoEffect.
//
// Time. The library has no clock: effects move only by the milliseconds the
// host passes. There is no pause: advance only the effects you want
// (UpdateEffect per effect instead of UpdateAll); one not advanced keeps
// drawing as it stands. A negative delta is no error and undoes nothing: it
// moves the clocks back by that much, as given. The effect's time goes
// back (its curves read from earlier, its end comes later, UpdateAllTo
// measures from there), its particles are aged and moved by the negative
// step, and it emits nothing until the time is made up: after
// UpdateAll(-1000) an effect draws next to nothing for about a second. To
// show an effect from its start again, call PlayEffect(id, 0), or
// PlayEffect with a prewarm to start it further on.
//
// Results (ResultCode.h). Effect operations answer their NoRegistry code
// before a successful Initialise, then Disabled when EnableParticle in the
// Particle.ini beside the host executable is 0 or less.
//
// Process-wide, shared by every system: the allocator (IParticleAllocator.h),
// the simulation's random source (fixed seed, so runs repeat), the finish
// listener, the current device (the one initialised last; cleared when any
// system is released) and the particle budget (MaxParticles in Particle.ini;
// at the budget effects draw fewer particles, nothing fails). Loading a
// sub-effect emitter reseeds the C library's rand from the clock and draws
// its copies' count, speed and angle from it. Everything runs on the
// calling thread; call from one thread.
//
// A typical frame, between the host's BeginScene and EndScene:
//   system->UpdateAll(msSinceLastFrame);
//   system->DrawAll();  // or BeginFrame(), DrawEffect(id) ..., EndFrame()
#pragma once

#include <cstdint>

#include "tavrix/IEffectFinishListener.h"
#include "tavrix/IParticleImage.h"
#include "tavrix/platform/Direct3D8.h"
#include "tavrix/platform/Win32Types.h"

namespace tavrix {

class IParticleSystem {
 public:
  // Destroys the system with its effects, textures and renderer. Release
  // every system before the factory.
  virtual void Release() = 0;
  // Call once, right after CreateSystem. window: its client rectangle, read
  // now, gives the pixel size. device: the Direct3D 8 device to draw
  // through, or null to hand every quad to the images of imageLoader
  // (IParticleImage.h). Reads Particle.ini. Returns 0, RegistryAllocFailed,
  // TextureManagerAllocFailed, RendererAllocFailed or ParticlePoolFailed;
  // after a failure only Release the system. A second call starts over with
  // no effects loaded.
  virtual int32_t Initialise(HWND window, IDirect3DDevice8* device,
                             IParticleImageLoader* imageLoader) = 0;
  // The view's size in view units; it fills the device's viewport, centred
  // on (width / 2, height / 2). Pass the client size in pixels for one unit
  // per pixel. height 0 keeps the window's aspect ratio. applyViewport true
  // also sets the viewport to width x height pixels from the top left; false
  // leaves the host's viewport alone. Without a device quads arrive in view
  // units unscaled, so the size is only stored. Call after Initialise and
  // whenever the view changes. Returns 0, ViewNoRenderer or Disabled.
  virtual int32_t SetViewSize(float width, float height, bool applyViewport) = 0;
  // Reads the effect file at path (as fopen takes it) and returns its new
  // identifier, or a negative code: LoadNoRegistry, Disabled,
  // EffectFileOpenFailed, EffectAllocFailed or a record code. Textures come
  // from image\ under the current directory and nested effect files from the
  // current directory. Loading a file twice gives two independent effects.
  // The effect waits for PlayEffect, unless it was saved while playing:
  // then it plays on from its saved time.
  virtual int32_t LoadEffect(const char* path) = 0;
  // Stops and destroys the effect with its particles. Returns 0 (also for an
  // unknown id), UnloadNoRegistry or Disabled.
  virtual int32_t UnloadEffect(int32_t id) = 0;
  // Places the effect at (x, y) in view units; particles born from now on
  // start there. moveLiveParticles true also moves the particles in flight
  // and hands the position to the copies that sub-effect emitters play,
  // which otherwise stay where they were (at first the origin): pass true
  // for the first placement, before PlayEffect. false lets an emitting
  // effect leave a trail. Emitters whose record does not use the effect's
  // offset ignore the position. Returns 0, PositionNoEffect for an unknown
  // id, PositionNoRegistry or Disabled.
  virtual int32_t SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles) = 0;
  // Starts the effect from time 0, or restarts it: its particles are
  // removed, emission begins again and its UpdateAllTo clock is 0.
  // prewarmMs above 0 simulates about that time at once in 50 ms steps
  // (rounded down; 1000 runs 950), so the effect appears already running;
  // the call's cost grows with the time. Copies of sub-effect emitters
  // play once per load and are not restarted. Returns 0 (also for an unknown
  // id or an effect without emitters), PlayNoRegistry or Disabled.
  virtual int32_t PlayEffect(int32_t id, uint32_t prewarmMs) = 0;
  // Does nothing; returns 0.
  virtual int32_t Reserved7(uint32_t a, uint32_t b) = 0;
  // Removes the effect's live particles; it goes on playing. Returns 0 (also
  // for an unknown id), ClearNoRegistry or Disabled.
  virtual int32_t ClearEffect(int32_t id) = 0;
  // Advances every playing effect to timeMs on its own clock (milliseconds
  // since its PlayEffect) in one step, however far; time only moves forward:
  // an effect already at or past timeMs does not move (to go back, play it
  // again). Effects go in ascending identifier order; the first that
  // reaches its end stops the walk (later ones stay put this call) and -1
  // (EffectEnded) is returned. The finish listener is not called. For hosts
  // that keep one clock for all effects; a game calls UpdateAll. Returns 0,
  // EffectEnded, UpdateNoRegistry or Disabled.
  virtual int32_t UpdateAllTo(int32_t timeMs) = 0;
  // Draws one effect; call between BeginFrame and EndFrame, to choose which
  // effects draw or to draw the host's own things between them. Returns 0
  // (also for an unknown id, or before Initialise), Disabled or
  // EmitterNoFrameSet.
  virtual int32_t DrawEffect(int32_t id) = 0;
  // BeginFrame, every effect in ascending identifier order (higher ones on
  // top), EndFrame. With a device call it between the host's BeginScene and
  // EndScene: every device state the library changes is put back; it never
  // clears, begins a scene or presents. Returns 0, DrawNoRenderer, Disabled,
  // or an effect's failure, in which case the frame is not ended: call
  // EndFrame to get the host's device state back.
  virtual int32_t DrawAll() = 0;
  // Do nothing.
  virtual void Reserved12() = 0;
  virtual void Reserved13() = 0;
  // Writes the loaded effect with the lowest identifier, play state
  // included, enciphered to path. Returns 0, SaveNoEffect,
  // SaveFileOpenFailed, a record code, SaveNoRegistry or Disabled.
  virtual int32_t SaveEffect(const char* path) = 0;
  // Does nothing; returns 0.
  virtual int32_t Reserved15(uint32_t a) = 0;
  // Advances one effect by deltaMs (0 does nothing; a negative delta moves
  // its clock back, see Time above), telling the finish listener when it
  // reaches its end. Returns 0 (also for an unknown id), UpdateNoRegistry
  // or Disabled.
  virtual int32_t UpdateEffect(int32_t id, int32_t deltaMs) = 0;
  // Advances every playing effect by deltaMs, the time since the last frame
  // (0 does nothing; a negative delta moves the clocks back, see Time
  // above; to restart an effect, play it again), in ascending identifier
  // order, telling the finish listener about each that reaches its end.
  // Call once per frame, before drawing. Returns 0, UpdateNoRegistry or
  // Disabled.
  virtual int32_t UpdateAll(int32_t deltaMs) = 0;
  // Sets the one process-wide listener (null for none), which hears the
  // ends reached in UpdateAll and UpdateEffect of every system.
  virtual void SetFinishListener(IEffectFinishListener* listener) = 0;
  // Saves the host's device state and sets the particles'; then DrawEffect.
  // Returns 0; does nothing before Initialise.
  virtual int32_t BeginFrame() = 0;
  // Puts back the device state BeginFrame saved. Returns 0.
  virtual int32_t EndFrame() = 0;
  // The number of loaded effects, playing or not; 0 before Initialise.
  virtual int32_t GetEffectCount() = 0;
  // The effect's nominal width and height stored in its file, for editors;
  // drawing is not bound by them. 400 when the file has none or the id is
  // unknown; 0 before Initialise.
  virtual int32_t GetEffectWidth(int32_t id) = 0;
  virtual int32_t GetEffectHeight(int32_t id) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  // Hosts call Release.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleSystem() = default;
};

}  // namespace tavrix
