#include "tools/ToolRunner.h"

#include <sys/wait.h>

#include <cstdio>

namespace tavrix::test {
namespace {

// Single quotes keep every argument as it is for the shell.
std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments) {
  std::string command = Quote(TAVRIX_TOOL_PATH);
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  command += " 2>&1";
  ToolRun run{-1, ""};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char block[4096];
  size_t count;
  while ((count = std::fread(block, 1, sizeof block, pipe)) > 0) run.output.append(block, count);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace tavrix::test
