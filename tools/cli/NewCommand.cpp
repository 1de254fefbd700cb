#include "cli/NewCommand.h"

#include <filesystem>
#include <memory>

#include "cli/EffectFiles.h"
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
}

}  // namespace

void AddNewCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<NewRequest>();
  CLI::App* command = app.add_subcommand(
      "new",
      "Write a short effect record in JSON to start from; left-out fields take their defaults");
  command->add_option("-o,--output", request->output, "JSON file (default: standard output)");
  command->add_flag("--force", request->force, "Replace the file when it exists");
  command->callback([request, &exitCode] {
    New(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
