#include "cli/ReferenceCommand.h"

#include <cstdio>
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
  const std::string text = r.schema ? ReferenceSchema() : ReferenceMarkdown();
  if (r.output.empty() || r.output == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) throw ToolError{ExitWriteFailed, "standard output: write failed"};
    return;
  }
  WriteFileBytes(r.output, record::Bytes(text.begin(), text.end()));
}

}  // namespace

void AddReferenceCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<ReferenceRequest>();
  CLI::App* reference = app.add_subcommand(
      "reference", "Write the reference of every effect field and track (Markdown), or the JSON Schema");
  reference->add_flag("--schema", request->schema, "Write the JSON Schema of the JSON form instead");
  reference->add_option("-o,--output", request->output, "File to write (default: standard output)");
  reference->callback([request, &exitCode] {
    Reference(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
