// A host of the shared library for the editing tests: a particle system on
// the software device, playing in a folder that holds the samples'
// textures, and the frames it draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "software/SoftwareDevice.h"
#include "tavrix/tavrix.h"

namespace tavrix::test {

class LibraryHost {
 public:
  // Enters root, where textures are found under image/, until destroyed.
  explicit LibraryHost(const std::string& root);
  ~LibraryHost();
  LibraryHost(const LibraryHost&) = delete;
  LibraryHost& operator=(const LibraryHost&) = delete;

  IParticleSystem& System() { return *system_; }
  // Advances every effect by ms in 20 ms steps, then draws onto black.
  std::vector<uint32_t> Render(int32_t ms);

  static constexpr int32_t Size = 256;

 private:
  software::SoftwareDevice device_;
  HWND__ window_;
  IParticleSystemFactory* factory_ = nullptr;
  IParticleSystem* system_ = nullptr;
  std::string previousDirectory_;
};

// How many pixels have any of the given channel bits set.
int CountPixels(const std::vector<uint32_t>& pixels, uint32_t channelMask);

}  // namespace tavrix::test
