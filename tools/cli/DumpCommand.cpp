#include "cli/DumpCommand.h"

#include <memory>

#include "cli/EffectFiles.h"
#include "record/JsonText.h"

namespace tavrix::tools {
namespace {

struct DumpRequest {
  std::string effect, output;
};

void Dump(const DumpRequest& r) {
  WriteTextOutput(r.output, record::FormatJson(ReadRecord(r.effect)));
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
