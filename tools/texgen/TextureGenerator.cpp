// Writes the sample effects' textures into a folder.
#include <cstdio>
#include <exception>
#include <string>

#include "common/PendingFiles.h"
#include "common/PngFile.h"
#include "common/SampleTextures.h"

namespace {

const char kUsage[] =
    "usage: tavrix_texgen OUTPUT_DIRECTORY\n"
    "  writes the sample effects' textures (disc, spark, smoke, ring_strip) as PNG files\n";

// -1 to go on with argv[1] as the folder, else the exit code: 0 after --help,
// 2 for anything but one folder (an option, however spelt, is no folder).
int CheckArguments(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && !first.empty() && first[0] != '-') return -1;
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

// Failures end in a message and exit code 1, never an abort.
int main(int argc, char** argv) try {
  if (const int exitCode = CheckArguments(argc, argv); exitCode >= 0) return exitCode;
  const tavrix::tools::PendingFilesSignalGuard removeTemporaryFilesOnSignal;
  const std::string dir = argv[1];
  for (const auto& [name, image] : tavrix::tools::SampleTextures()) {
    std::string error;
    if (!tavrix::tools::WritePng(dir + "/" + name, image, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
  return 0;
} catch (const std::exception& e) {
  std::fprintf(stderr, "tavrix_texgen: %s\n", e.what());
  return 1;
} catch (...) {
  std::fprintf(stderr, "tavrix_texgen: an unexpected failure\n");
  return 1;
}
