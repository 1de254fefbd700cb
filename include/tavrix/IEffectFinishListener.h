// Told, from inside the update operations, when an effect reaches its end.
#pragma once

#include <cstdint>

namespace tavrix {

class IEffectFinishListener {
 public:
  virtual void OnEffectFinished(int32_t id) = 0;

 protected:
  ~IEffectFinishListener() = default;
};

}  // namespace tavrix
