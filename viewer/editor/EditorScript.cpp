#include "EditorScript.h"

#include <charconv>
#include <sstream>

#include "Viewer.h"
#include "ViewerLog.h"
#include "edit/CurvePresets.h"
#include "edit/TrackCatalog.h"
#include "edit/TrackEdits.h"

namespace tavrix::viewer::editor {
namespace {

// Each verb's run: false when it failed. The curve tools' verbs work on
// the tools the curve panel shows.
using Run = bool (*)(const ScriptCommand&, EditorSession&, Viewer&);
using CurveRun = bool (*)(const ScriptCommand&, EditorSession&, CurveTools&);

struct Verb {
  const char* name;
  int arguments;  // words after the verb
  Run run;
  CurveRun curveRun = nullptr;
};
const Verb kVerbs[] = {
    {"track", 2,
     [](const ScriptCommand& c, EditorSession& s, Viewer&) { return s.Select(c.track); }},
    {"drag", 5,
     [](const ScriptCommand& c, EditorSession& s, Viewer&) {
       return s.Apply(edit::MoveKey(c.track, c.index, c.time, c.value));
     }},
    {"release", 0,
     [](const ScriptCommand&, EditorSession& s, Viewer&) {
       s.CloseStep();
       return true;
     }},
    {"undo", 0, [](const ScriptCommand&, EditorSession& s, Viewer&) { return s.Undo(); }},
    {"redo", 0, [](const ScriptCommand&, EditorSession& s, Viewer&) { return s.Redo(); }},
    {"save", 1, [](const ScriptCommand& c, EditorSession& s, Viewer&) { return s.SaveAs(c.path); }},
    {"shot", 1,
     [](const ScriptCommand& c, EditorSession&, Viewer& v) {
       v.RequestScreenshot(c.path);
       return true;
     }},
    {"wait", 0, [](const ScriptCommand&, EditorSession&, Viewer&) { return true; }},
    {"seek", 1,
     [](const ScriptCommand& c, EditorSession&, Viewer& v) {
       v.Controls().paused = true;
       v.Time().SeekTo(c.ms);
       Log("seek " + std::to_string(c.ms) + " ms took " + std::to_string(v.Time().LastSeekMs()) +
           " ms");
       return true;
     }},
    {"select-keys", 1, nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       return t.SelectKeys(s, c.keys);
     }},
    {"move-keys", 2, nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       const bool moved = t.MoveSelection(s, c.time, c.value);
       s.CloseStep();
       return moved;
     }},
    {"copy-keys", 0, nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Copy(s, false); }},
    {"copy-curve", 0, nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Copy(s, true); }},
    {"paste-keys", 0, nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Paste(s, false); }},
    {"paste-curve", 0, nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Paste(s, true); }},
    {"preset", 3, nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       t.presetLow = c.time;
       t.presetHigh = c.value;
       return t.ApplyPreset(s, c.path);
     }},
    {"overlay", 2, nullptr,
     [](const ScriptCommand& c, EditorSession&, CurveTools& t) {
       t.ToggleOverlay(c.track);
       return true;
     }},
};

// Key indices as one word, "0,2,3".
edit::KeySet ParseKeys(const std::string& word) {
  edit::KeySet keys;
  std::istringstream list(word);
  for (std::string index; std::getline(list, index, ',');) {
    size_t end = 0;
    const int key = std::stoi(index, &end);
    if (end != index.size() || key < 0 || size_t(key) >= edit::TrackBody::MaximumKeys)
      throw ScriptError{"select-keys takes key indices such as 0,2,3"};
    keys.insert(key);
  }
  return keys;
}

// A whole number of milliseconds the timeline reaches, nothing after it.
int64_t ParseMoment(const std::string& word) {
  int64_t ms = -1;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), ms);
  if (error != std::errc() || end != word.data() + word.size() || ms < 0 || ms > Timeline::kMaxMs)
    throw ScriptError{"seek takes whole milliseconds from 0 to " +
                      std::to_string(Timeline::kMaxMs)};
  return ms;
}

// Which emitters an effect has is known only when the command runs; the
// names of tracks are known now.
void CheckTrack(const edit::TrackRef& track) {
  if (track.emitter < -1)
    throw ScriptError{"an emitter is -1 (the effect) or its place in the list"};
  const edit::TrackOwner owner = edit::OwnerOf(track.emitter);
  if (!edit::FindTrackInfo(owner, track.key))
    throw ScriptError{"\"" + track.key + "\" is not " +
                      (owner == edit::TrackOwner::Emitter ? "an emitter" : "an effect") +
                      " track (did you mean \"" + record::NearestTrackName(owner, track.key) +
                      "\"?)"};
}

ScriptCommand Parse(const std::vector<std::string>& words) {
  ScriptCommand command;
  command.verb = words[0];
  try {
    if (command.verb == "save" || command.verb == "shot") command.path = words[1];
    if (command.verb == "seek") command.ms = ParseMoment(words[1]);
    if (command.verb == "track" || command.verb == "drag" || command.verb == "overlay")
      command.track = {std::stoi(words[1]), words[2]};
    if (command.verb == "select-keys") command.keys = ParseKeys(words[1]);
    if (command.verb == "move-keys" || command.verb == "preset") {
      command.time = std::stof(words[words.size() - 2]);
      command.value = std::stof(words[words.size() - 1]);
    }
    if (command.verb == "preset") command.path = words[1];
    if (command.verb == "drag") {
      command.index = std::stoi(words[3]);
      command.time = std::stof(words[4]);
      command.value = std::stof(words[5]);
    }
  } catch (const std::logic_error&) {
    throw ScriptError{"a number is expected"};
  }
  if (!command.track.key.empty()) CheckTrack(command.track);
  if (command.verb == "preset" && !edit::FindCurvePreset(command.path))
    throw ScriptError{"no preset \"" + command.path + "\"; there are " + edit::CurvePresetNames()};
  return command;
}

}  // namespace

std::vector<ScriptCommand> ParseEditorScript(const std::string& text) {
  std::vector<ScriptCommand> commands;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    if (words.empty()) continue;
    const std::string where = "script line " + std::to_string(number) + ": ";
    const Verb* verb = nullptr;
    for (const Verb& known : kVerbs)
      if (words[0] == known.name) verb = &known;
    if (!verb) throw ScriptError{where + "unknown command \"" + words[0] + "\""};
    if (int(words.size()) != verb->arguments + 1)
      throw ScriptError{where + words[0] + " takes " + std::to_string(verb->arguments) + " words"};
    try {
      commands.push_back(Parse(words));
    } catch (const ScriptError& e) {
      throw ScriptError{where + e.message};
    }
  }
  return commands;
}

void ScriptPanel::Draw(Viewer& viewer) {
  if (next_ >= commands_.size()) return;
  const ScriptCommand& command = commands_[next_++];
  EditorSession& session = *session_;
  bool done = false;
  for (const Verb& verb : kVerbs)
    if (command.verb == verb.name)
      done =
          verb.run ? verb.run(command, session, viewer) : verb.curveRun(command, session, *curves_);
  if (done) return;
  Log("script: " + command.verb + " failed: " + session.Status());
  viewer.ReportFailure();
}

}  // namespace tavrix::viewer::editor
