// The native side of the scene hash the browser tests compare: prints the
// hash of the given effects played for MS milliseconds.
#include <cstdio>
#include <cstdlib>

#include "SceneHash.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tavrix_web_scene MS EFFECT...\n");
    return 2;
  }
  const std::string hash =
      tavrix::web::SceneHash({argv + 2, argv + argc}, std::strtoll(argv[1], nullptr, 10));
  std::printf("%s\n", hash.c_str());
  return hash.rfind("failed", 0) == 0 ? 1 : 0;
}
