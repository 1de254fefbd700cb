#include "cli/ReferenceCommand.h"

#include <memory>

#include "cli/EffectFiles.h"
#include "cli/Reference.h"

namespace tavrix::tools {
namespace {

struct ReferenceRequest {
  std::string output;
  bool schema = false;
};

void Reference(const ReferenceRequest& r) {
  WriteTextOutput(r.output, r.schema ? ReferenceSchema() : ReferenceMarkdown());
}

}  // namespace

void AddReferenceCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<ReferenceRequest>();
  CLI::App* reference = app.add_subcommand(
      "reference",
      "Write the reference of every effect field and track (Markdown), or the JSON Schema");
  reference->add_flag("--schema", request->schema,
                      "Write the JSON Schema of the JSON form instead");
  reference->add_option("-o,--output", request->output, "File to write (default: standard output)");
  reference->callback([request, &exitCode] {
    Reference(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
