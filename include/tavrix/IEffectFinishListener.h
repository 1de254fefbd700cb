// Told, from inside the update operations, when an effect reaches its end.
// What the end is depends on the effect's end mode, set in its file: report
// once and play on; loop (reported at every loop); stop at once; or stop
// emitting, reported then and again when its last particle has died. A
// finished effect stays loaded until UnloadEffect.
#pragma once

#include <cstdint>

namespace tavrix {

class IEffectFinishListener {
 public:
  // Called synchronously from UpdateAll and UpdateEffect of any system (one
  // listener serves the process) with the effect's identifier. It may load,
  // play or unload effects. The library never owns the listener: set null
  // before destroying it.
  virtual void OnEffectFinished(int32_t id) = 0;

 protected:
  ~IEffectFinishListener() = default;
};

}  // namespace tavrix
