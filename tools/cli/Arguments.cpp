#include "cli/Arguments.h"

namespace tavrix::tools {

void AddRootOption(CLI::App& command, std::string& root) {
  command.add_option("--root", root,
                     "Folder textures (under image/) and nested effects are found in "
                     "(default: the effect's folder)");
}

}  // namespace tavrix::tools
