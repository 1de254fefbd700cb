// The texture generator's command line: --help is usage, not a folder to
// write into, and anything but one folder is a usage error.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestPaths.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

struct TexgenCall {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
};
void PrintTo(const TexgenCall& call, std::ostream* out) { *out << call.name; }

class TextureGeneratorArguments : public testing::TestWithParam<TexgenCall> {};

TEST_P(TextureGeneratorArguments, ShowTheUsageAndWriteNothing) {
  TempDir folder;
  std::vector<std::string> arguments = {"-C", folder.Path(), TAVRIX_TEXGEN_PATH};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  const ToolRun run = RunProgram("env", arguments);
  EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output;
  EXPECT_NE(run.output.find("usage: tavrix_texgen OUTPUT_DIRECTORY"), std::string::npos)
      << run.output;
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << "an option was taken for a folder";
}

INSTANTIATE_TEST_SUITE_P(TextureGenerator, TextureGeneratorArguments,
                         testing::Values(TexgenCall{"Help", {"--help"}, 0},
                                         TexgenCall{"ShortHelp", {"-h"}, 0},
                                         TexgenCall{"UnknownOption", {"--output"}, 2},
                                         TexgenCall{"NoFolder", {}, 2},
                                         TexgenCall{"TwoFolders", {"a", "b"}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrix::test
