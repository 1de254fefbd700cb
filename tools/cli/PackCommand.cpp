#include "cli/PackCommand.h"

#include <memory>

#include "cli/EffectFiles.h"
#include "record/EffectEnvelope.h"

namespace tavrix::tools {
namespace {

struct PackRequest {
  std::string json, output;
};

void Pack(const PackRequest& r) {
  const record::Json json = ReadJsonFile(r.json);
  record::Bytes plain;
  try {
    plain = record::RecordFromJson(json);
  } catch (const record::RecordJsonError& e) {
    throw ToolError{ExitBadJson, r.json + ": " + e.Describe()};
  }
  WriteFileBytes(r.output, record::EncipherEffect(plain));
}

}  // namespace

void AddPackCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<PackRequest>();
  CLI::App* pack =
      app.add_subcommand("pack", "Turn a record written as JSON (the dump format) into an effect file");
  pack->add_option("IN.json", request->json, "JSON record")->required();
  pack->add_option("-o,--output", request->output, "Effect file to write")->required();
  pack->callback([request, &exitCode] {
    Pack(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
