// JSON that does not describe a record: each refusal names the path of the
// field at fault and what is wrong with it.
#include <gtest/gtest.h>

#include <functional>

#include "record/JsonText.h"
#include "record/RecordModel.h"
#include "tools/RecordBuilders.h"

namespace tavrix::test {
namespace {

using record::Json;

// The message of the refusal of the unusual record changed by edit.
std::string Refusal(const std::function<void(Json&)>& edit) {
  Json json = record::RecordToJson(UnusualRecord());
  edit(json);
  try {
    record::RecordFromJson(json);
  } catch (const record::RecordJsonError& e) {
    return e.Describe();
  }
  return "(accepted)";
}

TEST(RecordJsonErrorTest, WrongKindsOfValueNameTheirPath) {
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][0]["tracks"][2]["keys"][0]["time"] = "soon"; }),
            "emitters[0].tracks[2].keys[0].time: expected a number (or the bits of a float as a "
            "string such as \"0x7FC00000\")");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][1]["additive"] = 256; }),
            "emitters[1].additive: expected a byte value from 0 to 255, or true or false");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][1]["rotationMode"] = 2147483648LL; }),
            "emitters[1].rotationMode: expected an integer from -2147483648 to 2147483647");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][1]["frameSet"]["frameIndex"] = -1; }),
            "emitters[1].frameSet.frameIndex: expected an integer from 0 to 4294967295");
  EXPECT_EQ(Refusal([](Json& j) { j["durationSeconds"] = 1e39; }),
            "durationSeconds: out of range for a 32-bit float");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][2]["effectFile"] = std::string(256, 'x'); }),
            "emitters[2].effectFile: longer than 255 bytes");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][0]["name"] = 5; }),
            "emitters[0].name: expected a string");
  EXPECT_EQ(
      Refusal([](Json& j) {
        j["emitters"][0]["frameAnimation"]["frames"][1] = {1, 2, 3};
      }),
      "emitters[0].frameAnimation.frames[1]: expected 4 numbers: uLeft, vTop, uRight, vBottom");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][1]["corners"][3][1] = nullptr; }),
            "emitters[1].corners[3][1]: expected a number (or the bits of a float as a string such "
            "as \"0x7FC00000\")");
  EXPECT_EQ(Refusal([](Json& j) { j["tracks"] = Json::object(); }), "tracks: expected an array");
  EXPECT_EQ(Refusal([](Json& j) { j["trailing"] = "ABC"; }),
            "trailing: expected a string of hexadecimal byte pairs");
  EXPECT_EQ(Refusal([](Json& j) { j["tag"] = "TVP"; }),
            "tag: expected four letters or a 32-bit number");
  EXPECT_EQ(Refusal([](Json& j) { j = Json::array(); }), "(top level): expected an object");
}

TEST(RecordJsonErrorTest, MissingUnknownAndMisplacedFieldsAreNamed) {
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][2].erase("magic"); }),
            "emitters[2].startDelay: unknown field");
  EXPECT_EQ(Refusal([](Json& j) { j["tracks"][0]["keys"][0].erase("time"); }),
            "tracks[0].keys[0].time: missing");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][2]["colour"] = 1; }),
            "emitters[2].colour: unknown field");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][0]["tracks"][0]["keys"][0]["when"] = 1; }),
            "emitters[0].tracks[0].keys[0].when: unknown field");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][0]["magic"] = "XXXX"; }),
            "emitters[0].magic: expected \"ET2D\" or \"SE2D\"");
  EXPECT_EQ(Refusal([](Json& j) { j["emitters"][1]["animated"] = 1; }),
            "emitters[1].frameSet: an emitter whose animated flag is set stores a frameAnimation "
            "block");
  EXPECT_EQ(Refusal([](Json& j) { j["tracks"][0]["keyCount"] = -1; }),
            "tracks[0].keyCount: a negative count goes with an empty list");
  EXPECT_EQ(Refusal([](Json& j) { j["tracks"][0]["keyCount"] = 4; }),
            "tracks[0].keyCount: only a negative count is given on its own; leave it out");
}

TEST(RecordJsonErrorTest, NotesAndFriendlyFlagsAreAccepted) {
  Json json = record::RecordToJson(UnusualRecord());
  json["_note"] = "kept out of the record";
  json["emitters"][1]["_why"] = "so is this";
  json["emitters"][1]["additive"] = true;
  EXPECT_EQ(record::RecordFromJson(json), UnusualRecord());
}

TEST(RecordJsonErrorTest, BrokenJsonTextGivesItsLine) {
  try {
    record::ParseJson("{\n  \"tag\": \"TVPS\",\n  oops\n}");
    FAIL() << "broken JSON was accepted";
  } catch (const record::RecordJsonError& e) {
    EXPECT_NE(e.message.find("line 3"), std::string::npos) << e.message;
    EXPECT_EQ(e.message.find("[json.exception"), std::string::npos) << e.message;
  }
}

}  // namespace
}  // namespace tavrix::test
