// The tavrix program's shared argument handling: the value forms (from
// common/) and the --root option every playing subcommand takes.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "common/ArgumentForms.h"

namespace tavrix::tools {

// The --root option the playing subcommands share.
void AddRootOption(CLI::App& command, std::string& root);
// The root an effect plays from: the --root given, else the effect's folder.
std::string RootFor(const std::string& effect, const std::string& root);

}  // namespace tavrix::tools
