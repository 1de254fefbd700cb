// The tavrix program: inspect, convert, render and benchmark effect files.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/BenchCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ExitCode.h"
#include "cli/InfoCommand.h"
#include "cli/PackCommand.h"
#include "cli/RenderCommand.h"

int main(int argc, char** argv) {
  using namespace tavrix::tools;
  CLI::App app{"tavrix: inspect, convert, render and benchmark effect files"};
  app.require_subcommand(1);
  int exitCode = ExitOk;
  AddInfoCommand(app, exitCode);
  AddDumpCommand(app, exitCode);
  AddPackCommand(app, exitCode);
  AddRenderCommand(app, exitCode);
  AddBenchCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
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
