#include "cli/CheckCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/Arguments.h"
#include "cli/EffectCheck.h"
#include "cli/EffectFiles.h"

namespace tavrix::tools {
namespace {

struct CheckRequest {
  std::vector<std::string> files;
  std::string root;
  bool strict = false;
};

// Every field a JSON record gets wrong, each an error.
std::vector<Finding> JsonFindings(const record::Json& json) {
  std::vector<Finding> findings;
  for (const record::RecordJsonError& e : record::RecordJsonErrors(json))
    findings.push_back({Severity::Error, "", e.Describe()});
  return findings;
}

// The findings of one file; a file that cannot be read at all is one error.
std::vector<Finding> CheckOne(const std::string& path, const std::string& root) {
  try {
    const record::Json effect = record::IsJsonPath(path) ? ReadJsonFile(path) : ReadRecord(path);
    if (record::IsJsonPath(path)) {
      std::vector<Finding> findings = JsonFindings(effect);
      if (!findings.empty()) return findings;
    }
    std::error_code error;
    const std::string folder = std::filesystem::absolute(path, error).parent_path().string();
    return CheckEffect(effect, {root.empty() ? folder : root});
  } catch (const ToolError& e) {
    const std::string prefix = path + ": ";
    const bool named = e.message.rfind(prefix, 0) == 0;
    return {{Severity::Error, "", named ? e.message.substr(prefix.size()) : e.message}};
  }
}

int Check(const CheckRequest& r) {
  bool errors = false, warnings = false;
  for (const std::string& path : r.files) {
    const std::vector<Finding> findings = CheckOne(path, r.root);
    size_t errorCount = 0;
    for (const Finding& f : findings) {
      std::printf("%s: %s\n", path.c_str(), Describe(f).c_str());
      errorCount += f.severity == Severity::Error;
    }
    const size_t warningCount = findings.size() - errorCount;
    std::printf("%s: %zu error%s, %zu warning%s\n", path.c_str(), errorCount,
                errorCount == 1 ? "" : "s", warningCount, warningCount == 1 ? "" : "s");
    errors = errors || errorCount > 0;
    warnings = warnings || warningCount > 0;
  }
  if (errors || (r.strict && warnings)) return ExitCheckFailed;
  return warnings ? ExitWarnings : ExitOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exitCode) {
  auto request = std::make_shared<CheckRequest>();
  CLI::App* check = app.add_subcommand(
      "check", "Report what the library refuses, clamps or ignores in effect files or their JSON");
  check->add_option("FILE", request->files, "Effect files or JSON records")->required();
  AddRootOption(*check, request->root);
  check->add_flag("--strict", request->strict, "Warnings fail the check too");
  check->callback([request, &exitCode] { exitCode = Check(*request); });
}

}  // namespace tavrix::tools
