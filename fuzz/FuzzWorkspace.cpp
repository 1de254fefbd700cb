#include "FuzzWorkspace.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tavrix::fuzz {

void EnterWorkspace() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/tavrix-fuzz-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
  entered = true;
}

void WriteWorkspaceFile(const char* name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

}  // namespace tavrix::fuzz
