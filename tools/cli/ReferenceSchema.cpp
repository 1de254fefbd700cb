// The JSON Schema (draft-07) of the record's JSON form, for editors'
// completion and checks: the same layout tables RecordFromJson walks, the
// library's track names, and the field table's meanings as descriptions.
#include <string>

#include "cli/Reference.h"
#include "record/JsonText.h"
#include "record/RecordSchema.h"
#include "record/TrackTable.h"

namespace tavrix::tools {
namespace {

using record::Absent;
using record::FieldBlock;
using record::FieldEntry;
using record::FieldKindName;
using record::FieldOf;
using record::FieldRun;
using record::Json;
using record::Omitted;
using record::TrackInfo;
using record::TrackOwner;
namespace key = record::key;

Json Ref(const std::string& name) { return {{"$ref", "#/definitions/" + name}}; }

std::string Describe(const FieldEntry& field) {
  const Absent& absent = field.absent;
  std::string text = field.meaning;
  if (*field.unit) text += std::string(" (") + field.unit + ")";
  switch (absent.omitted) {
    case Omitted::Required: return text + "; required";
    case Omitted::Value: return text + "; default " + absent.byDefault;
    case Omitted::Derived: return text + "; left out, from " + absent.byDefault;
  }
  return text;
}

// A described value: draft-07 ignores siblings of "$ref", so it sits in allOf.
Json Described(Json schema, const FieldEntry& field) {
  Json described = {{"description", Describe(field)}, {"allOf", Json::array({std::move(schema)})}};
  if (field.absent.omitted == Omitted::Value && *field.absent.byDefault != '{')
    described["default"] = Json::parse(field.absent.byDefault);
  return described;
}

class ObjectSchema {
 public:
  explicit ObjectSchema(FieldBlock block) : block_(block) {}
  // A plain field refers to its kind's definition; a list gives its schema.
  ObjectSchema& Add(const FieldEntry& field, Json schema) {
    properties_[field.name] = Described(std::move(schema), field);
    if (field.absent.omitted == Omitted::Required) required_.push_back(field.name);
    return *this;
  }
  ObjectSchema& Add(const FieldEntry& field) { return Add(field, Ref(FieldKindName(field.kind))); }
  ObjectSchema& Add(const char* name, Json schema) {
    return Add(FieldOf(block_, name), std::move(schema));
  }
  ObjectSchema& Add(const char* name) { return Add(FieldOf(block_, name)); }
  ObjectSchema& Plain(const char* name, Json schema) {
    properties_[name] = std::move(schema);
    return *this;
  }
  ObjectSchema& Fields(const FieldRun& fields) {
    for (const FieldEntry* field : fields) Add(*field);
    return *this;
  }
  Json Build() const {
    return {{"type", "object"},
            {"properties", properties_},
            {"required", required_},
            {"patternProperties", {{"^_", Json::object()}}},
            {"additionalProperties", false}};
  }

 private:
  FieldBlock block_;
  Json properties_ = Json::object();
  Json required_ = Json::array();
};

// Keys match without regard to letter case; the enum serves completion.
Json TrackName(TrackOwner owner) {
  Json names = Json::array();
  std::string pattern = "^(";
  for (const TrackInfo& info : record::TracksOf(owner)) {
    const std::string name = info.key;
    pattern += names.empty() ? "" : "|";
    names.push_back(name);
    for (char c : name)
      pattern += std::isalpha(static_cast<unsigned char>(c))
                     ? std::string("[") + char(std::toupper(c)) + char(std::tolower(c)) + "]"
                     : std::string(1, c);
  }
  return {{"anyOf",
           Json::array({{{"enum", names}}, {{"type", "string"}, {"pattern", pattern + ")$"}}})}};
}

Json NegativeCount() { return {{"type", "integer"}, {"minimum", -2147483648LL}, {"maximum", -1}}; }

Json Track(TrackOwner owner) {
  ObjectSchema track(FieldBlock::Track);
  for (const FieldEntry* field : record::Layout().track)
    if (std::string(field->name) != key::Name)
      track.Add(*field);
    else
      track.Add(*field, TrackName(owner));
  ObjectSchema keyItem(FieldBlock::Track);
  keyItem.Plain("time", Ref("float")).Plain("value", Ref("float"));
  Json item = keyItem.Build();
  item["required"] = Json::array({"time", "value"});
  track.Add(key::Keys, {{"type", "array"}, {"items", item}});
  track.Plain(key::KeyCount, NegativeCount());
  return track.Build();
}

Json FrameBlock(bool animated) {
  ObjectSchema block(FieldBlock::Frames);
  const record::RecordLayout& layout = record::Layout();
  if (animated) block.Fields(layout.animationHead);
  block.Fields(layout.frameNames);
  block.Add(
      key::Frames,
      {{"type", "array"},
       {"items", {{"type", "array"}, {"items", Ref("float")}, {"minItems", 4}, {"maxItems", 4}}}});
  block.Plain(key::FrameCount, NegativeCount());
  if (animated)
    block.Fields(layout.animationTail);
  else
    block.Fields(layout.frameSetTail);
  return block.Build();
}

// The block the animated flag does not use must be left out.
Json NotBlock(const char* other) { return {{"not", {{"required", Json::array({other})}}}}; }

Json PlainEmitter() {
  ObjectSchema e(FieldBlock::Emitter);
  e.Plain(key::Magic, {{"const", "ET2D"}, {"default", "ET2D"}});
  e.Add(key::Version);
  e.Plain(key::Tracks, {{"type", "array"}, {"items", Ref("emitterTrack")}});
  e.Plain(key::OnlyListedTracks, {{"type", "boolean"}});
  e.Add(key::Name);
  e.Add(
      key::Corners,
      {{"type", "array"},
       {"minItems", 4},
       {"maxItems", 4},
       {"items", {{"type", "array"}, {"items", Ref("float")}, {"minItems", 2}, {"maxItems", 2}}}});
  e.Fields(record::Layout().emitter);
  e.Plain(key::FrameSet, Ref("frameSet"));
  e.Plain(key::FrameAnimation, Ref("frameAnimation"));
  Json schema = e.Build();
  schema["if"] = {{"properties", {{"animated", {{"enum", Json::array({0, false})}}}}}};
  schema["then"] = NotBlock(key::FrameAnimation);
  schema["else"] = NotBlock(key::FrameSet);
  return schema;
}

Json SubEffectEmitter() {
  ObjectSchema e(FieldBlock::SubEffect);
  e.Plain(key::Magic, {{"const", "SE2D"}});
  e.Add(key::Version);
  e.Fields(record::Layout().subEffect);
  Json schema = e.Build();
  schema["required"].push_back(key::Magic);
  return schema;
}

Json Integer(int64_t low, int64_t high) {
  return {{"type", "integer"}, {"minimum", low}, {"maximum", high}};
}

Json Definitions() {
  const Json hexPairs = {{"type", "string"}, {"pattern", "^([0-9A-Fa-f]{2})*$"}};
  Json d = Json::object();
  // The largest value that still rounds to a float: 2^128 - 2^103.
  d["float"] = {
      {"anyOf", Json::array({{{"type", "number"},
                              {"exclusiveMinimum", -3.4028235677973366e38},
                              {"exclusiveMaximum", 3.4028235677973366e38}},
                             {{"type", "string"}, {"pattern", "^0[xX][0-9A-Fa-f]{1,8}$"}}})}};
  d["int32"] = Integer(-2147483648LL, 2147483647LL);
  d["uint32"] = Integer(0, 4294967295LL);
  d["flag"] = {{"anyOf", Json::array({Integer(0, 255), {{"type", "boolean"}}})}};
  d["text"] = {{"anyOf", Json::array({{{"type", "string"}},
                                      {{"type", "object"},
                                       {"properties", {{"bytes", hexPairs}}},
                                       {"required", Json::array({"bytes"})},
                                       {"additionalProperties", false}}})}};
  d["tag"] = {{"anyOf", Json::array({{{"type", "string"}, {"minLength", 4}, {"maxLength", 4}},
                                     Integer(0, 4294967295LL)})}};
  d["effectTrack"] = Track(TrackOwner::Effect);
  d["emitterTrack"] = Track(TrackOwner::Emitter);
  d["frameSet"] = FrameBlock(false);
  d["frameAnimation"] = FrameBlock(true);
  d["emitter"] = PlainEmitter();
  d["subEffectEmitter"] = SubEffectEmitter();
  d["hexPairs"] = hexPairs;
  return d;
}

}  // namespace

std::string ReferenceSchema() {
  ObjectSchema effect(FieldBlock::Effect);
  effect.Fields(record::Layout().effectHeader);
  effect.Plain(key::Tracks, {{"type", "array"}, {"items", Ref("effectTrack")}});
  effect.Plain(key::OnlyListedTracks, {{"type", "boolean"}});
  effect.Plain(key::Emitters,
               {{"type", "array"},
                {"items", {{"oneOf", Json::array({Ref("emitter"), Ref("subEffectEmitter")})}}}});
  effect.Plain(key::EmitterCount, NegativeCount());
  effect.Fields(record::Layout().effectTail);
  effect.Plain(key::Trailing, Ref("hexPairs"));
  effect.Plain(key::Schema, {{"type", "string"}});
  Json schema = {{"$schema", "http://json-schema.org/draft-07/schema#"},
                 {"$id", "tavrix-effect.schema.json"},
                 {"title", "Tavrix effect record"},
                 {"description",
                  "The JSON form of an effect file, as tavrix dump writes it and tavrix pack "
                  "reads it. Generated by tavrix reference --schema; see docs/effect-format.md."}};
  Json body = effect.Build();
  for (auto it = body.begin(); it != body.end(); ++it) schema[it.key()] = it.value();
  schema["definitions"] = Definitions();
  return record::FormatJson(schema);
}

}  // namespace tavrix::tools
