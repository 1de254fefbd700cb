// The record-level subcommands of the built tavrix program: what they write,
// and for each way of failing, the message naming the file and the exit code.
#include <gtest/gtest.h>

#include "record/EffectEnvelope.h"
#include "support/EffectFileBuilder.h"
#include "support/TempDir.h"
#include "tools/RecordBuilders.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

constexpr int Usage = 2, FileMissing = 3, NotAnEffect = 4, BadJson = 5, WriteFailed = 6;

class ToolCommandTest : public ::testing::Test {
 protected:
  std::string Effect(const std::string& name, const Bytes& plain) {
    return WriteEffect(dir_, name, plain);
  }
  std::string Missing() const { return dir_.File("absent.eff"); }
  std::string Garbage() const { return dir_.Write("garbage.eff", std::string(64, '\x5A')); }
  // A file that deciphers, but to a record that stops inside its emitters.
  std::string Truncated() {
    EffectDesc desc;
    desc.emitters = {EmitterRecord(EmitterDesc{})};
    EffectLayout layout;
    Bytes plain = EffectRecord(desc, &layout);
    return Effect("truncated.eff", Cut(plain, layout.emitterCount + 20));
  }

  TempDir dir_;
};

void ExpectFailure(const ToolRun& run, int code, const std::string& mentions) {
  EXPECT_EQ(run.exitCode, code) << run.output;
  EXPECT_NE(run.output.find(mentions), std::string::npos) << run.output;
}

TEST_F(ToolCommandTest, DumpThenPackGivesTheSamePlainBytes) {
  const Bytes plain = UnusualRecord();
  const std::string effect = Effect("unusual.eff", plain);
  const std::string json = dir_.File("unusual.json"), packed = dir_.File("packed.eff");
  ASSERT_EQ(RunTool({"dump", effect, "-o", json}).exitCode, 0);
  ToolRun pack = RunTool({"pack", json, "-o", packed});
  ASSERT_EQ(pack.exitCode, 0) << pack.output;
  EXPECT_EQ(Decipher(ReadBytes(packed)), plain);
}

TEST_F(ToolCommandTest, DumpWritesToStandardOutputWithoutAnOutputFile) {
  ToolRun run = RunTool({"dump", Effect("unusual.eff", UnusualRecord())});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.rfind("{\n  \"tag\": \"TVPS\",", 0), 0u) << run.output.substr(0, 80);
  EXPECT_NE(run.output.find("\"trailing\": \"DEAD00\""), std::string::npos);
}

TEST_F(ToolCommandTest, DumpFailuresNameTheFile) {
  ExpectFailure(RunTool({"dump", Missing()}), FileMissing, Missing());
  ExpectFailure(RunTool({"dump", Garbage()}), NotAnEffect, "not an effect file");
  const std::string truncated = Truncated();
  ToolRun run = RunTool({"dump", truncated});
  ExpectFailure(run, NotAnEffect, truncated + ": not a whole effect record: at byte ");
  ExpectFailure(
      RunTool({"dump", Effect("ok.eff", UnusualRecord()), "-o", dir_.File("no/such/x.json")}),
      WriteFailed, dir_.File("no/such/x.json"));
}

TEST_F(ToolCommandTest, PackFailuresNameTheFileAndTheField) {
  ExpectFailure(RunTool({"pack", dir_.File("absent.json"), "-o", dir_.File("x.eff")}), FileMissing,
                dir_.File("absent.json"));
  const std::string broken = dir_.Write("broken.json", "{\n \"tag\": }");
  ExpectFailure(RunTool({"pack", broken, "-o", dir_.File("x.eff")}), BadJson,
                broken + ": parse error at line 2");
  const std::string wrong = dir_.Write("wrong.json",
                                       "{\"tag\": \"TVPS\", \"version\": 1, \"tracks\": "
                                       "[{\"name\": \"gravity\", \"cycles\": \"x\"}]}");
  ExpectFailure(RunTool({"pack", wrong, "-o", dir_.File("x.eff")}), BadJson,
                wrong + ": tracks.gravity.cycles: expected a number");
  const std::string json = dir_.File("ok.json");
  ASSERT_EQ(RunTool({"dump", Effect("ok.eff", UnusualRecord()), "-o", json}).exitCode, 0);
  ExpectFailure(RunTool({"pack", json, "-o", dir_.File("no/such/x.eff")}), WriteFailed,
                dir_.File("no/such/x.eff"));
  ExpectFailure(RunTool({"pack", json}), Usage, "--output");
}

TEST_F(ToolCommandTest, InfoTellsWhatTheEffectHolds) {
  dir_.Write("image/particle.png", "not really a picture");
  ToolRun run = RunTool({"info", Effect("unusual.eff", UnusualRecord())});
  ASSERT_EQ(run.exitCode, 9) << run.output;  // the nested file is missing
  // The later "GRAVITY" entry and the swapped bounds of "sizeEffect" count.
  EXPECT_NE(run.output.find("size         300 x 120"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("duration     2.5 s"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("end mode     7 (no end action)"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("playing, elapsed 0.1 s"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("[0] \"animated\" (emitter, ET2D)"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("cycle 1 s, looping"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("rotation       2 random angle"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\"particle.png\" (found: " + dir_.Path() + "/image/particle.png)"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("blend          additive"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("spawn shape    3 box"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("nested file    \"nested\\sparks.eff\" (NOT FOUND: " + dir_.Path() +
                            "/nested/sparks.eff)"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("trailing     3 bytes"), std::string::npos) << run.output;
}

TEST_F(ToolCommandTest, InfoLooksForTexturesUnderTheRootGiven) {
  TempDir root;
  root.Write("image/particle.png", "x");
  ToolRun run = RunTool({"info", Effect("unusual.eff", UnusualRecord()), "--root", root.Path()});
  ASSERT_EQ(run.exitCode, 9) << run.output;
  EXPECT_NE(run.output.find("found: " + root.Path() + "/image/particle.png"), std::string::npos)
      << run.output;
}

TEST_F(ToolCommandTest, InfoAndBenchFailuresNameTheFile) {
  ExpectFailure(RunTool({"info", Missing()}), FileMissing, Missing());
  ExpectFailure(RunTool({"info", Garbage()}), NotAnEffect, "not an effect file");
  ExpectFailure(RunTool({"info", Truncated()}), NotAnEffect, "at byte");
  ExpectFailure(RunTool({"bench", Missing()}), FileMissing, Missing());
  ExpectFailure(RunTool({"bench", Garbage()}), NotAnEffect, "garbage.eff");
  ExpectFailure(RunTool({"bench", Garbage(), "--step", "0"}), Usage, "--step");
}

TEST_F(ToolCommandTest, UsageErrorsAndHelp) {
  EXPECT_EQ(RunTool({}).exitCode, Usage);
  EXPECT_EQ(RunTool({"dump"}).exitCode, Usage);
  EXPECT_EQ(RunTool({"dump", "a", "b"}).exitCode, Usage);
  EXPECT_EQ(RunTool({"frobnicate"}).exitCode, Usage);
  for (const char* command : {"info", "dump", "pack", "bench"}) {
    ToolRun help = RunTool({command, "--help"});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_NE(help.output.find("Usage:"), std::string::npos) << help.output;
  }
}

}  // namespace
}  // namespace tavrix::test
