// The tavrix program: inspect, check, convert, render and benchmark effect
// files. Whatever the input, it ends with a message and an exit code of
// ExitCode.h, never an abort.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <new>

#include "cli/BenchCommand.h"
#include "cli/CheckCommand.h"
#include "cli/DiffCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ExitCode.h"
#include "cli/InfoCommand.h"
#include "cli/NewCommand.h"
#include "cli/PackCommand.h"
#include "cli/ReferenceCommand.h"
#include "cli/RenderCommand.h"
#include "common/PendingFiles.h"

namespace {

int Run(int argc, char** argv) {
  using namespace tavrix::tools;
  CLI::App app{"tavrix: inspect, check, convert, render and benchmark effect files"};
  app.set_version_flag("--version", "tavrix " TAVRIX_VERSION);
  app.require_subcommand(1);
  int exitCode = ExitOk;
  AddNewCommand(app, exitCode);
  AddInfoCommand(app, exitCode);
  AddCheckCommand(app, exitCode);
  AddDumpCommand(app, exitCode);
  AddPackCommand(app, exitCode);
  AddRenderCommand(app, exitCode);
  AddDiffCommand(app, exitCode);
  AddBenchCommand(app, exitCode);
  AddReferenceCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return ExitUsage;
  } catch (const ToolError& e) {
    std::fprintf(stderr, "tavrix: %s\n", e.message.c_str());
    return e.code;
  }
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavrix::tools;
  const PendingFilesSignalGuard removeTemporaryFilesOnSignal;
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "tavrix: out of memory\n");
    return ExitOutOfMemory;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrix: internal error: %s\n", e.what());
    return ExitInternal;
  } catch (...) {
    std::fprintf(stderr, "tavrix: internal error: an unexpected failure\n");
    return ExitInternal;
  }
}
