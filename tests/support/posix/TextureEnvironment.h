// What texture tests need around them: a counting allocator, a name table,
// a recording device as the current device, and a fresh working directory
// with an image folder to write texture files into.
#pragma once

#include <string>

#include "base/ProcessSlots.h"
#include "resources/NameTable.h"
#include "support/CountingAllocator.h"
#include "support/TempDir.h"
#include "support/posix/ImageFiles.h"
#include "support/posix/RecordingDevice.h"

namespace tavrix::test {

class TextureEnvironment {
 public:
  TextureEnvironment() {
    SetCurrentNameTable(&names);
    SetCurrentDevice(&device);
  }
  ~TextureEnvironment() {
    SetCurrentDevice(nullptr);
    SetCurrentNameTable(nullptr);
  }

  // Writes image/<name> in the working directory.
  std::string WriteImage(const std::string& name, const std::string& bytes) {
    return directory.Write("image/" + name, bytes);
  }

  ScopedAllocator allocator;
  NameTable names;
  TempDir directory;
  ScopedWorkingDirectory workingDirectory{directory.Path()};
  RecordingDevice device;
};

}  // namespace tavrix::test
