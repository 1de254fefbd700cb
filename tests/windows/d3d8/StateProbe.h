// Every device state the device renderer saves and restores, set to values
// no renderer would choose, and checked afterwards.
#pragma once

#include <d3d8.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tavrix::windows_test {

class StateProbe {
 public:
  explicit StateProbe(IDirect3DDevice8* device);
  ~StateProbe();
  StateProbe(const StateProbe&) = delete;
  StateProbe& operator=(const StateProbe&) = delete;

  void SetUnusualState();
  // The name of each state that did not come back.
  std::vector<std::string> ChangedStates();

 private:
  bool CameBack(size_t index);

  IDirect3DDevice8* device_;
  IDirect3DTexture8* hostTexture_ = nullptr;
  ULONG hostReferences_ = 0;
};

}  // namespace tavrix::windows_test
