#include "cli/DumpCommand.h"

#include <cstdio>
#include <memory>

#include "cli/EffectFiles.h"
#include "record/JsonText.h"

namespace tavrix::tools {
namespace {

struct DumpRequest {
  std::string effect, output;
};

void Dump(const DumpRequest& r) {
  const std::string text = record::FormatJson(ReadRecord(r.effect));
  if (r.output.empty() || r.output == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) throw ToolError{ExitWriteFailed, "standard output: write failed"};
    return;
  }
  WriteFileBytes(r.output, record::Bytes(text.begin(), text.end()));
}

}  // namespace

void AddDumpCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<DumpRequest>();
  CLI::App* dump = app.add_subcommand(
      "dump", "Write the whole plain record of an effect file as JSON, in record order");
  dump->add_option("FILE", request->effect, "Effect file")->required();
  dump->add_option("-o,--output", request->output, "JSON file (default: standard output)");
  dump->callback([request, &exitCode] {
    Dump(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
