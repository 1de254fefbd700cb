// Running the SDL2 host and the viewer headless from tests: SDL's dummy
// video driver, the built samples as root, 256 x 256 windows, 20 ms steps.
#pragma once

#include <filesystem>
#include <string>

#include "TestPaths.h"

namespace tavrix::test {

inline std::string OutputPath(const std::string& name) {
  std::filesystem::create_directories(TAVRIX_SDL_OUTPUT_DIR);
  return std::string(TAVRIX_SDL_OUTPUT_DIR) + "/" + name;
}

inline constexpr int kStepMs = 20;

inline std::string HeadlessArguments(int frames, const std::string& screenshot) {
  return std::string(" --root ") + TAVRIX_SAMPLES_BUILT + " --size 256x256 --frames " +
         std::to_string(frames) + " --step " + std::to_string(kStepMs) + " --screenshot " +
         screenshot;
}

// The example host on one built sample; its exit status.
inline int RunHost(const std::string& effect, int frames, const std::string& screenshot) {
  const std::string command = std::string("SDL_VIDEODRIVER=dummy ") + TAVRIX_SDL_HOST_PATH + " " +
                              TAVRIX_SAMPLES_BUILT + "/" + effect +
                              HeadlessArguments(frames, screenshot) + " > /dev/null";
  return std::system(command.c_str());
}

}  // namespace tavrix::test
