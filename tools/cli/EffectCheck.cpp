#include "cli/EffectCheck.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "cli/EffectFiles.h"
#include "cli/EffectSummary.h"
#include "cli/ResultText.h"
#include "record/DerivedFields.h"
#include "record/FieldTable.h"
#include "record/FloatText.h"
#include "record/RecordPath.h"
#include "record/TextField.h"
#include "record/TrackTable.h"
#include "simulation/ParamTrack.h"
#include "simulation/SubEffectEmitter.h"
#include "tavrix/ResultCode.h"

namespace tavrix::tools {
namespace {

using record::Child;
using record::FindTrackInfo;
using record::Json;
using record::NearestTrackName;
using record::TrackInfo;
using record::TrackOwner;

constexpr uint32_t KeyBound = 1024;

float FloatOf(const Json& value) { return record::FloatFromJson(value).value_or(0.0f); }
int64_t IntOf(const Json& value) {
  if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
  return value.is_number_integer() ? value.get<int64_t>() : 0;
}
std::string NumberText(float value) { return Number(record::FloatToJson(value)); }

// A stored track body loaded the way the library loads it.
struct LoadedTrack {
  ParamTrack track;
  std::vector<size_t> refused;  // indexes of stored keys the track did not take
};

void Load(const Json& stored, LoadedTrack& into) {
  into.track.SetRange(FloatOf(stored["duration"]), FloatOf(stored["boundA"]),
                      FloatOf(stored["boundB"]), FloatOf(stored["default"]));
  const Json& keys = stored["keys"];
  for (size_t k = 0; k < keys.size(); ++k)
    if (into.track.AddKey(FloatOf(keys[k]["time"]), FloatOf(keys[k]["value"])) < 0)
      into.refused.push_back(k);
}

// The values a track can give, between its lowest and highest key (its
// default when it has none), and the range the library clamps to.
struct TrackSpan {
  float lowest, highest, minimum, maximum;

  bool AlwaysZero() const { return lowest == 0.0f && highest == 0.0f; }
  // As ParamTrack::Clamp.
  float Clamp(float v) const { return !(v >= minimum) ? minimum : std::min(v, maximum); }
};

TrackSpan SpanOf(const ParamTrack& track) {
  TrackSpan span{track.DefaultValue(), track.DefaultValue(), track.Minimum(), track.Maximum()};
  if (track.KeyCount() > 0) span.lowest = span.highest = track.Key(0).value;
  for (uint32_t k = 0; k < track.KeyCount(); ++k) {
    span.lowest = std::min(span.lowest, track.Key(k).value);
    span.highest = std::max(span.highest, track.Key(k).value);
  }
  return span;
}

// The tracks an emitter's useEffectEmission replaces with the effect's.
constexpr const char* EmissionTracks[] = {"BaseEmissionForce", "VarEmissionForce",
                                          "BaseEmissionAngle", "VarEmissionAngle",
                                          "BaseEmissionArc",   "VarEmissionArc"};
// Below this opacity the library draws no quad for a particle.
constexpr float FaintestDrawn = 0.05f;

class Checker {
 public:
  // Records false checks only the files.
  Checker(const CheckOptions& options, bool records, std::vector<Finding>& out, std::string prefix,
          int depth, std::set<std::string>& checked)
      : options_(options),
        records_(records),
        out_(out),
        prefix_(std::move(prefix)),
        depth_(depth),
        checked_(checked) {}

  void Effect(const Json& effect);

 private:
  void Add(Severity severity, const std::string& path, const std::string& message) {
    out_.push_back({severity, prefix_ + path, message});
  }
  // The values the named track can take: the last stored body of that name
  // wins, as in the library; unnamed tracks keep their default.
  TrackSpan SpanOf(const Json& tracks, TrackOwner owner, const char* name);
  void Tracks(const Json& tracks, const std::string& path, TrackOwner owner);
  void Track(const Json& track, const std::string& path, TrackOwner owner);
  void PlainEmitter(const Json& emitter, const std::string& path);
  void ForceDirection(const Json& emitter, const std::string& path);
  void SubEffectEmitter(const Json& emitter, const std::string& path);
  bool Emits(const Json& effect, const Json& emitter);
  void NeverDrawn(const Json& effect, const Json& emitter, const std::string& path);
  bool NoSize(const Json& effect, const Json& emitter, const char* axis);
  void IgnoredEmission(const Json& emitter, const std::string& path);
  void Texture(const Json& emitter, const std::string& path);
  void NestedFile(const Json& emitter, const std::string& path);

  const CheckOptions& options_;
  bool records_;
  std::vector<Finding>& out_;
  std::string prefix_;
  int depth_;
  std::set<std::string>& checked_;
};

TrackSpan Checker::SpanOf(const Json& tracks, TrackOwner owner, const char* name) {
  const TrackInfo* info = FindTrackInfo(owner, name);
  const Json* last = nullptr;
  for (const Json& track : tracks)
    if (FindTrackInfo(owner, Text(track["name"])) == info) last = &track;
  if (!last) return {info->defaultValue, info->defaultValue, info->minimum, info->maximum};
  LoadedTrack loaded;
  Load(*last, loaded);
  return tools::SpanOf(loaded.track);
}

void Checker::Tracks(const Json& tracks, const std::string& path, TrackOwner owner) {
  const std::vector<std::string> paths = record::TrackPaths(path, tracks);
  std::map<std::string, size_t> last;
  for (size_t t = 0; t < tracks.size(); ++t) last[record::TrackKey(tracks[t])] = t;
  for (size_t t = 0; t < tracks.size(); ++t) {
    Track(tracks[t], paths[t], owner);
    const size_t later = last[record::TrackKey(tracks[t])];
    if (later != t && FindTrackInfo(owner, Text(tracks[t]["name"])))
      Add(Severity::Warning, paths[t],
          "\"" + Text(tracks[t]["name"]) + "\" is stored again at " + paths[later] +
              "; the library keeps only the last one");
  }
}

void Checker::Track(const Json& track, const std::string& path, TrackOwner owner) {
  const bool emitter = owner == TrackOwner::Emitter;
  const std::string name = Text(track["name"]);
  const TrackInfo* known = FindTrackInfo(owner, name);
  if (!known) {
    const int32_t code = emitter ? EmitterTrackUnknown : EffectTrackUnknown;
    Add(Severity::Error, Child(path, "name"),
        "\"" + name + "\" is not " + (emitter ? "an emitter" : "an effect") +
            " track (did you mean \"" + NearestTrackName(owner, name) +
            "\"?); the library refuses the effect: " + ResultText(code));
    return;
  }
  const float duration = FloatOf(track["duration"]);
  if (!(duration > 0.0f))
    Add(Severity::Warning, Child(path, "duration"),
        NumberText(duration) + " is not above 0; the library makes the domain 1");
  LoadedTrack loaded;
  Load(track, loaded);
  const ParamTrack& t = loaded.track;
  const std::string range = NumberText(t.Minimum()) + " to " + NumberText(t.Maximum());
  const float stored = FloatOf(track["default"]);
  if (stored != t.DefaultValue())
    Add(Severity::Warning, Child(path, "default"),
        NumberText(stored) + " is outside the range " + range + "; the library uses the minimum");
  const std::string keysPath = Child(path, "keys");
  for (size_t k : loaded.refused) {
    const float time = FloatOf(track["keys"][k]["time"]);
    const std::string at = record::Item(keysPath, k);
    if (time > t.Duration())
      Add(Severity::Warning, Child(at, "time"),
          NumberText(time) + " is beyond the domain 0 to " + NumberText(t.Duration()) +
              "; the library drops this key");
    else
      Add(Severity::Warning, at,
          "past the bound of " + std::to_string(KeyBound) +
              " keys a track holds; the library drops it");
  }
  // Base values are drawn and then clamped to the base track's range.
  if (!emitter || std::string(known->key).rfind("Base", 0) != 0) return;
  const Json& keys = track["keys"];
  for (size_t k = 0; k < keys.size(); ++k) {
    const float value = FloatOf(keys[k]["value"]);
    if (value < t.Minimum() || value > t.Maximum())
      Add(Severity::Warning, Child(record::Item(keysPath, k), "value"),
          NumberText(value) + " is outside the range " + range +
              "; values drawn from it are clamped");
  }
}

// Directions that differ by less than this are the same to a particle.
constexpr float DirectionTolerance = 1e-6f;

// Particles are pushed along the stored direction; forceAngle only says
// where the editor meant them to go.
void Checker::ForceDirection(const Json& e, const std::string& path) {
  const float angle = FloatOf(e["forceAngle"]);
  const record::Point derived = record::ForceDirection(angle);
  const float x = FloatOf(e["forceDirectionX"]), y = FloatOf(e["forceDirectionY"]);
  if (std::fabs(x - derived.x) <= DirectionTolerance &&
      std::fabs(y - derived.y) <= DirectionTolerance)
    return;
  Add(Severity::Warning, Child(path, "forceDirectionX"),
      "the stored force direction (" + NumberText(x) + ", " + NumberText(y) +
          ") is not forceAngle " + NumberText(angle) + " (" + NumberText(derived.x) + ", " +
          NumberText(derived.y) +
          "); the library pushes particles along the stored direction (leave both out to follow "
          "forceAngle)");
}

bool Checker::Emits(const Json& effect, const Json& emitter) {
  if (!IntOf(emitter["enabled"])) return false;
  if (emitter["magic"] == "SE2D" || IntOf(emitter["singleParticle"])) return true;
  const float rate = SpanOf(emitter["tracks"], TrackOwner::Emitter, "BaseQuantity").highest +
                     SpanOf(emitter["tracks"], TrackOwner::Emitter, "VarQuantity").highest / 2;
  return rate > 0.0f &&
         SpanOf(effect["tracks"], TrackOwner::Effect, "ScaleQuantity").highest > 0.0f;
}

// A width (or height) is the Base track's clamp of (Base + Var spread) x
// Scale at birth, then of that x Life over the particle's life: always 0
// when Base and Var, Scale or Life are, and the range takes 0.
bool Checker::NoSize(const Json& effect, const Json& e, const char* axis) {
  const auto span = [&](const char* owner, TrackOwner kind) {
    const Json& tracks = kind == TrackOwner::Effect ? effect["tracks"] : e["tracks"];
    return SpanOf(tracks, kind, (owner + std::string(axis)).c_str());
  };
  const TrackSpan base = span("Base", TrackOwner::Emitter);
  return base.Clamp(0.0f) == 0.0f &&
         ((base.AlwaysZero() && span("Var", TrackOwner::Emitter).AlwaysZero()) ||
          span("Scale", TrackOwner::Effect).AlwaysZero() ||
          span("Life", TrackOwner::Emitter).AlwaysZero());
}

void Checker::NeverDrawn(const Json& effect, const Json& e, const std::string& path) {
  if (NoSize(effect, e, "X") || (!IntOf(e["uniformSize"]) && NoSize(effect, e, "Y")))
    Add(Severity::Warning, path,
        "its particles have no size (BaseX and VarX, the effect's ScaleX or LifeX are 0 "
        "throughout, or the same for Y); the emitter never draws");
  // Opacity: LifeVisible times the effect's ScaleVisible, clamped to
  // LifeVisible's range.
  const TrackSpan life = SpanOf(e["tracks"], TrackOwner::Emitter, "LifeVisible");
  const TrackSpan scale = SpanOf(effect["tracks"], TrackOwner::Effect, "ScaleVisible");
  const float most = std::max({life.lowest * scale.lowest, life.lowest * scale.highest,
                               life.highest * scale.lowest, life.highest * scale.highest});
  if (most == most && life.Clamp(most) < FaintestDrawn)
    Add(Severity::Warning, path,
        "its particles' opacity (LifeVisible times the effect's ScaleVisible) is at most " +
            NumberText(life.Clamp(most)) + ", below the " + NumberText(FaintestDrawn) +
            " under which the library draws no particle; the emitter never draws");
}

void Checker::IgnoredEmission(const Json& e, const std::string& path) {
  if (!IntOf(e["useEffectEmission"])) return;
  const Json& tracks = e["tracks"];
  const std::vector<std::string> paths = record::TrackPaths(Child(path, "tracks"), tracks);
  for (size_t t = 0; t < tracks.size(); ++t) {
    const std::string name = Text(tracks[t]["name"]);
    if (std::find(std::begin(EmissionTracks), std::end(EmissionTracks), name) ==
        std::end(EmissionTracks))
      continue;
    const TrackInfo* info = FindTrackInfo(TrackOwner::Emitter, name);
    LoadedTrack loaded;
    Load(tracks[t], loaded);
    const TrackSpan span = tools::SpanOf(loaded.track);
    if (span.lowest == info->defaultValue && span.highest == info->defaultValue) continue;
    Add(Severity::Warning, paths[t],
        "ignored: with useEffectEmission 1 particles take their emission force, angle and arc "
        "from the effect's tracks (set useEffectEmission to 0 to use the emitter's own)");
  }
}

void Checker::PlainEmitter(const Json& e, const std::string& path) {
  if (IntOf(e["version"]) < 1)
    Add(Severity::Error, Child(path, "version"),
        "0 is below 1; the library refuses the effect: " + ResultText(EmitterBadVersion));
  Tracks(e["tracks"], Child(path, "tracks"), TrackOwner::Emitter);
  IgnoredEmission(e, path);
  ForceDirection(e, path);
  const int64_t spawn = IntOf(e["spawnShape"]);
  if (spawn < 0 || spawn >= record::SpawnShapes.count)
    Add(Severity::Warning, Child(path, "spawnShape"),
        std::to_string(spawn) + " is none of " +
            record::ChoiceListing(record::SpawnShapes, &record::Choice::label) +
            "; the library spawns at a point");
  const int64_t rotation = IntOf(e["rotationMode"]);
  if (rotation < 0 || rotation >= record::RotationModes.count)
    Add(Severity::Warning, Child(path, "rotationMode"),
        std::to_string(rotation) + " is none of " +
            record::ChoiceListing(record::RotationModes, &record::Choice::label) +
            "; the library starts every quad unrotated");
  if (IntOf(e["animated"])) return;
  const Json& block = e["frameSet"];
  const uint64_t frames = block["frames"].size();
  const int64_t index = IntOf(block["frameIndex"]);
  if (frames > 0 && index >= int64_t(frames))
    Add(Severity::Warning, Child(Child(path, "frameSet"), "frameIndex"),
        std::to_string(index) + " is past the " + std::to_string(frames) +
            " frames of the list; the library draws the whole texture");
}

void Checker::SubEffectEmitter(const Json& e, const std::string& path) {
  if (IntOf(e["version"]) < 1)
    Add(Severity::Error, Child(path, "version"),
        "0 is below 1; the library refuses the effect: " + ResultText(EmitterBadVersion));
  const float low = FloatOf(e["copiesMin"]), high = FloatOf(e["copiesMax"]);
  // As the library counts: low + (a draw below the spread), truncated.
  const double spread = std::max(1.0, std::trunc(double(high) - double(low)));
  const double most = std::trunc(double(low) + spread - 1.0);
  if (!(most >= 1.0))
    Add(Severity::Warning, Child(path, "copiesMax"),
        "copies " + NumberText(low) + " to " + NumberText(high) +
            " (upper bound excluded) never make a copy; nothing of the nested effect plays");
  else if (most > SubEffectEmitter::kMaxCopiesPerEmitter)
    Add(Severity::Warning, Child(path, "copiesMax"),
        "the library makes at most " + std::to_string(SubEffectEmitter::kMaxCopiesPerEmitter) +
            " copies");
}

void Checker::Texture(const Json& e, const std::string& path) {
  const Json& block = IntOf(e["animated"]) ? e["frameAnimation"] : e["frameSet"];
  const std::string blockPath = Child(path, IntOf(e["animated"]) ? "frameAnimation" : "frameSet");
  const std::string name = record::TextFromJson(block["textureName"]).value_or("");
  if (name.empty()) return;
  const std::string file = Resolve(options_.root, "image/" + name);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    Add(Severity::Warning, Child(blockPath, "textureName"),
        "texture \"" + name + "\" is not found (looked for " + file +
            "); the library draws its particles untextured on a device (as render and bench "
            "do) and not at all through a host's image loader: " +
            ResultText(TextureFileNotFound));
}

void Checker::NestedFile(const Json& e, const std::string& path) {
  const std::string name = record::TextFromJson(e["effectFile"]).value_or("");
  const std::string where = Child(path, "effectFile");
  const std::string file = Resolve(options_.root, name);
  std::error_code error;
  if (name.empty() || !std::filesystem::is_regular_file(file, error)) {
    Add(Severity::Warning, where,
        "nested effect \"" + name + "\" is not found (looked for " + file +
            "); the copies never play");
    return;
  }
  // Each nested file is checked once, however often it is named.
  if (depth_ + 1 >= SubEffectEmitter::kMaxNestingDepth || !checked_.insert(file).second) return;
  try {
    const Json nested = ReadRecord(file);
    Checker(options_, records_, out_, prefix_ + where + " > " + name + ": ", depth_ + 1, checked_)
        .Effect(nested);
  } catch (const ToolError& e) {
    Add(Severity::Error, where, "nested effect \"" + name + "\" does not load: " + e.message);
  }
}

void Checker::Effect(const Json& effect) {
  const Json& emitters = effect["emitters"];
  if (records_) {
    Tracks(effect["tracks"], "tracks", TrackOwner::Effect);
    const int64_t end = IntOf(effect["endMode"]);
    if (end < 0 || end >= record::EndModes.count)
      Add(Severity::Warning, "endMode",
          std::to_string(end) + " is none of " +
              record::ChoiceListing(record::EndModes, &record::Choice::name) +
              "; the library takes no action at the end");
    const float duration = FloatOf(effect["durationSeconds"]);
    if (!(duration > 0.0f))
      Add(Severity::Warning, "durationSeconds",
          NumberText(duration) + " is not above 0; the effect reaches its end at once");
  }
  bool anyEnabled = false, anyEmits = false;
  for (size_t i = 0; i < emitters.size(); ++i) {
    const Json& e = emitters[i];
    const std::string path = record::Item("emitters", i);
    const bool sub = e["magic"] == "SE2D";
    if (records_) sub ? SubEffectEmitter(e, path) : PlainEmitter(e, path);
    if (records_ && !sub && Emits(effect, e)) NeverDrawn(effect, e, path);
    if (!options_.root.empty()) sub ? NestedFile(e, path) : Texture(e, path);
    anyEnabled = anyEnabled || IntOf(e["enabled"]);
    anyEmits = anyEmits || Emits(effect, e);
  }
  if (!records_) return;
  if (emitters.empty())
    Add(Severity::Error, "emitters",
        "none; the library does not play the effect: " + ResultText(PlayNoEmitters));
  else if (!anyEnabled)
    Add(Severity::Warning, "emitters", "every emitter is disabled; the effect never draws");
  else if (!anyEmits)
    Add(Severity::Warning, "emitters",
        "no enabled emitter emits (the rate is 0 and none keeps a single particle); the effect "
        "never draws");
}

}  // namespace

// The checks read every field: a JSON record that leaves some out is
// checked with its defaults written out.
std::vector<Finding> CheckEffect(const record::Json& effect, const CheckOptions& options) {
  std::vector<Finding> findings;
  std::set<std::string> checked;
  Checker(options, true, findings, "", 0, checked).Effect(record::CompleteRecord(effect));
  return findings;
}

std::vector<Finding> CheckFiles(const record::Json& effect, const std::string& root) {
  std::vector<Finding> findings;
  std::set<std::string> checked;
  CheckOptions options{root};
  Checker(options, false, findings, "", 0, checked).Effect(record::CompleteRecord(effect));
  return findings;
}

bool HasErrors(const std::vector<Finding>& findings) {
  for (const Finding& f : findings)
    if (f.severity == Severity::Error) return true;
  return false;
}

std::string Describe(const Finding& f) {
  return std::string(f.severity == Severity::Error ? "error: " : "warning: ") +
         (f.path.empty() ? "" : f.path + ": ") + f.message;
}

}  // namespace tavrix::tools
