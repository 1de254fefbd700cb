// Runs the built tavrix program (or another) as a user would, capturing what it prints
// (standard output and error together) and its exit code.
#pragma once

#include <string>
#include <vector>

namespace tavrix::test {

struct ToolRun {
  int exitCode;
  std::string output;
};

ToolRun RunTool(const std::vector<std::string>& arguments);
// Any program, found on PATH when the name has no folder.
ToolRun RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// Starts the program without waiting for it, its output discarded and
// SIGINT, SIGTERM and SIGHUP at their default actions whatever the test's
// own are; its process id for waitpid, or -1.
int StartTool(const std::vector<std::string>& arguments);

}  // namespace tavrix::test
