#include "cli/DiffCommand.h"

#include <cstdio>
#include <memory>

#include "cli/Arguments.h"
#include "cli/DiffSheet.h"
#include "cli/EffectFiles.h"
#include "cli/EffectSummary.h"
#include "record/RecordDiff.h"

namespace tavrix::tools {
namespace {

// As diff: 1 says the effects differ, not that something failed.
constexpr int ExitDiffer = 1;

struct DiffRequest {
  std::string before, after, output, root;
  bool render = false;
};

DiffSide ReadSide(const std::string& file, const std::string& root) {
  return {file, RootFor(file, root), ReadEffectOrJson(file)};
}

// A nested effect that cannot be read is left out of the comparison; check
// reports it.
std::optional<record::Json> NestedRecord(const std::string& root, const std::string& stored) {
  try {
    return ReadRecord(Resolve(root, stored));
  } catch (const ToolError&) {
    return std::nullopt;
  }
}

int Diff(const DiffRequest& r) {
  const DiffSide sides[] = {ReadSide(r.before, r.root), ReadSide(r.after, r.root)};
  const std::vector<record::RecordChange> changes = record::DiffRecords(
      sides[0].record, sides[1].record,
      [&](int side, const std::string& stored) { return NestedRecord(sides[side].root, stored); });
  std::string text;
  for (const record::RecordChange& change : changes) text += record::ChangeLine(change) + "\n";
  WriteTextOutput("", text);
  if (r.render) {
    const std::string sheet = r.output.empty() ? DefaultSheetPath(r.before) : r.output;
    WriteDiffSheet(sides[0], sides[1], sheet);
    std::fprintf(stderr, "%s: %s on the left, %s on the right\n", sheet.c_str(), r.before.c_str(),
                 r.after.c_str());
  }
  return changes.empty() ? ExitOk : ExitDiffer;
}

}  // namespace

void AddDiffCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<DiffRequest>();
  CLI::App* diff = app.add_subcommand(
      "diff",
      "Show what changed between two effects as record paths with old and new values; "
      "exit 0 when equal, 1 when they differ");
  diff->add_option("OLD", request->before, "Effect file or JSON record")->required();
  diff->add_option("NEW", request->after, "Effect file or JSON record")->required();
  diff->add_flag("--render", request->render,
                 "Also write a contact sheet of a few moments of both, OLD left, NEW right");
  diff->add_option("-o,--output", request->output,
                   "Where the sheet goes (default: OLD_diff.png here)");
  AddRootOption(*diff, request->root);
  diff->callback([request, &exitCode] { exitCode = Diff(*request); });
}

}  // namespace tavrix::tools
