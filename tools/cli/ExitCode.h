// The tavrix program's exit codes: each failure kind has its own, so scripts
// can tell a missing file from a broken one. README's "The tavrix program"
// lists them; keep the two in step.
#pragma once

#include <string>

namespace tavrix::tools {

enum ExitCode : int {
  ExitOk = 0,
  ExitInternal = 1,
  ExitUsage = 2,
  ExitFileMissing = 3,
  ExitNotAnEffect = 4,
  ExitBadJson = 5,
  ExitWriteFailed = 6,
  ExitPlaybackFailed = 7,
  ExitCheckFailed = 8,  // check found errors; pack refused them
  ExitWarnings = 9,     // done, with warnings: check found only warnings, or a
                        // texture or nested file is missing
  ExitOutOfMemory = 10,
};

// An error that ends a subcommand: its message names the file and what is
// wrong.
struct ToolError {
  ExitCode code;
  std::string message;
};

}  // namespace tavrix::tools
