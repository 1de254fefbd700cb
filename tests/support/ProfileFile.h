// An ini file of the given contents, written to a fresh directory and read
// back through GetPrivateProfileIntA, as the switch file beside a game is.
#pragma once

#include <string>

#include "platform/Win32.h"
#include "support/TempDir.h"

namespace tavrix::test {

// The value of key in section, or 1 when the file does not give one.
inline int IniValue(const std::string& contents, const char* section = "System",
                    const char* key = "EnableParticle") {
  TempDir dir;
  std::string path = dir.Write("Particle.ini", contents);
  return static_cast<int>(GetPrivateProfileIntA(section, key, 1, path.c_str()));
}

}  // namespace tavrix::test
