#include "cli/Arguments.h"

#include <filesystem>

namespace tavrix::tools {

void AddRootOption(CLI::App& command, std::string& root) {
  command.add_option("--root", root,
                     "Folder textures (under image/) and nested effects are found in "
                     "(default: the effect's folder)");
}

std::string RootFor(const std::string& effect, const std::string& root) {
  std::error_code error;
  return root.empty() ? std::filesystem::absolute(effect, error).parent_path().string() : root;
}

}  // namespace tavrix::tools
