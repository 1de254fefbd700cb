// The viewer's log: one line per event (loads, reloads, failures by name,
// screenshots) on standard output, flushed at once so that scripts can
// follow it while the viewer runs.
#pragma once

#include <cstdio>
#include <string>

namespace tavrix::viewer {

inline void Log(const std::string& line) {
  std::printf("tavrix-view: %s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace tavrix::viewer
