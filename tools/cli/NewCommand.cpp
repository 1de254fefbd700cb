#include "cli/NewCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/EffectFiles.h"
#include "common/SampleTextures.h"
#include "edit/EffectTemplate.h"
#include "record/JsonText.h"

namespace tavrix::tools {
namespace {

struct NewRequest {
  std::string output;
  bool force = false;
};

// A starting point is cheap to make again; the work in a file of that name
// may not be.
void New(const NewRequest& r) {
  std::error_code error;
  if (!r.force && !r.output.empty() && r.output != "-" && std::filesystem::exists(r.output, error))
    throw ToolError{ExitUsage, r.output + ": already exists (--force replaces it)"};
  WriteTextOutput(r.output, record::FormatJson(edit::StarterEffect()));
  const std::string texture = std::string("image/") + edit::TemplateTexture;
  if (r.output.empty() || r.output == "-") {
    std::fprintf(stderr,
                 "tavrix: the effect shows %s of the samples' folder: play it with --root there, "
                 "or write it with -o to get the texture beside it\n",
                 texture.c_str());
    return;
  }
  // So that it draws where it is written; a texture already there is the user's.
  const std::filesystem::path beside = std::filesystem::path(r.output).parent_path() / texture;
  if (std::filesystem::exists(beside, error)) return;
  std::filesystem::create_directories(beside.parent_path(), error);
  for (const SampleTexture& sample : SampleTextures()) {
    std::string failure;
    if (sample.name == edit::TemplateTexture && !WritePng(beside.string(), sample.image, failure))
      throw ToolError{ExitWriteFailed, failure};
  }
  std::printf("%s\n", beside.string().c_str());
}

}  // namespace

void AddNewCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<NewRequest>();
  CLI::App* command = app.add_subcommand(
      "new",
      "Write a short effect record in JSON to start from; left-out fields take their defaults. "
      "With -o, its texture is written beside it (image/disc.png) unless one is there");
  command->add_option("-o,--output", request->output, "JSON file (default: standard output)");
  command->add_flag("--force", request->force, "Replace the file when it exists");
  command->callback([request, &exitCode] {
    New(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
