#include "tools/ToolRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "TestPaths.h"

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
  return RunProgram(TAVRIX_TOOL_PATH, arguments);
}

ToolRun RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::string command = Quote(program);
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

int StartTool(const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(TAVRIX_TOOL_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  if (posix_spawn(&pid, TAVRIX_TOOL_PATH, &files, &attributes, argv.data(), environ) != 0) pid = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  return pid;
}

}  // namespace tavrix::test
