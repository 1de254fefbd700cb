// The tavrix program's exit codes: each failure kind has its own, so scripts
// can tell a missing file from a broken one.
#pragma once

#include <string>

namespace tavrix::tools {

enum ExitCode : int {
  ExitOk = 0,
  ExitUsage = 2,
  ExitFileMissing = 3,
  ExitNotAnEffect = 4,
  ExitBadJson = 5,
  ExitWriteFailed = 6,
  ExitPlaybackFailed = 7,
};

// An error that ends a subcommand: its message names the file and what is
// wrong.
struct ToolError {
  ExitCode code;
  std::string message;
};

}  // namespace tavrix::tools
