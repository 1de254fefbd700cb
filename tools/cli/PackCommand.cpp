#include "cli/PackCommand.h"

#include <cstdio>
#include <memory>

#include "cli/Arguments.h"
#include "cli/EffectCheck.h"
#include "cli/EffectFiles.h"
#include "record/EffectEnvelope.h"

namespace tavrix::tools {
namespace {

struct PackRequest {
  std::string json, output, root;
  bool force = false;
};

void Pack(const PackRequest& r) {
  const record::Json json = ReadJsonFile(r.json);
  const record::Bytes plain = PlainFromJson(json, r.json);
  // Files are checked only against a root given: a JSON record rarely sits
  // in the folder its effect is played from.
  const std::vector<Finding> findings = CheckEffect(json, {r.root});
  for (const Finding& f : findings)
    std::fprintf(stderr, "%s: %s\n", r.json.c_str(), Describe(f).c_str());
  if (HasErrors(findings) && !r.force)
    throw ToolError{ExitCheckFailed, r.json +
                                         ": not packed: the library would refuse or never play "
                                         "this effect (--force packs it anyway)"};
  WriteFileBytes(r.output, record::EncipherEffect(plain));
}

}  // namespace

void AddPackCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<PackRequest>();
  CLI::App* pack = app.add_subcommand(
      "pack", "Turn a record written as JSON (the dump format) into an effect file");
  pack->add_option("IN.json", request->json, "JSON record")->required();
  pack->add_option("-o,--output", request->output, "Effect file to write")->required();
  pack->add_option("--root", request->root,
                   "Also check textures (under image/) and nested effects in this folder");
  pack->add_flag("--force", request->force, "Pack even when the checks find errors");
  pack->callback([request, &exitCode] {
    Pack(*request);
    exitCode = ExitOk;
  });
}

}  // namespace tavrix::tools
