#include "EditorScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
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
  const char* arguments;  // the words after the verb, named as in the argument table
  const char* what;
  Run run;
  CurveRun curveRun = nullptr;
};
const Verb kVerbs[] = {
    {"track", "EMITTER KEY", "show a track in the curve editor",
     [](const ScriptCommand& c, EditorSession& s, Viewer&) { return s.Select(c.track); }},
    {"drag", "EMITTER KEY INDEX TIME VALUE", "one frame of dragging a key to TIME, VALUE",
     [](const ScriptCommand& c, EditorSession& s, Viewer&) {
       return s.Apply(edit::MoveKey(c.track, c.index, float(c.time), float(c.value)));
     }},
    {"release", "", "the end of a drag: one undo step",
     [](const ScriptCommand&, EditorSession& s, Viewer&) {
       s.CloseStep();
       return true;
     }},
    {"undo", "", "take back the last step",
     [](const ScriptCommand&, EditorSession& s, Viewer&) { return s.Undo(); }},
    {"redo", "", "bring back the step last taken back",
     [](const ScriptCommand&, EditorSession& s, Viewer&) { return s.Redo(); }},
    {"save", "PATH", "save as JSON (a name ending in .json) or as an effect file",
     [](const ScriptCommand& c, EditorSession& s, Viewer&) { return s.SaveAs(c.path); }},
    {"shot", "PATH", "a screenshot of the next frame, as PNG",
     [](const ScriptCommand& c, EditorSession&, Viewer& v) {
       v.RequestScreenshot(c.path);
       return true;
     }},
    {"wait", "", "a frame without edits",
     [](const ScriptCommand&, EditorSession&, Viewer&) { return true; }},
    {"seek", "MS", "pause at the moment MS, as the timeline's cursor does, and log its cost",
     [](const ScriptCommand& c, EditorSession&, Viewer& v) {
       v.Controls().paused = true;
       v.Time().SeekTo(c.ms);
       Log("seek " + std::to_string(c.ms) + " ms took " + std::to_string(v.Time().LastSeekMs()) +
           " ms");
       return true;
     }},
    {"select-keys", "I,J,...", "select keys of the shown track by index", nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       return t.SelectKeys(s, c.keys);
     }},
    {"move-keys", "DT DV", "move the selected keys together: one undo step", nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       const bool moved = t.MoveSelection(s, c.time, c.value);
       s.CloseStep();
       return moved;
     }},
    {"copy-keys", "", "the selected keys to the clipboard", nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Copy(s, false); }},
    {"copy-curve", "", "the shown curve to the clipboard", nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Copy(s, true); }},
    {"paste-keys", "", "the clipboard's keys onto the shown track, at their times", nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Paste(s, false); }},
    {"paste-curve", "", "the clipboard's curve in place of the shown one", nullptr,
     [](const ScriptCommand&, EditorSession& s, CurveTools& t) { return t.Paste(s, true); }},
    {"preset", "NAME LOW HIGH", "keys from LOW to HIGH in the preset's shape", nullptr,
     [](const ScriptCommand& c, EditorSession& s, CurveTools& t) {
       t.presetLow = float(c.time);
       t.presetHigh = float(c.value);
       return t.ApplyPreset(s, c.path);
     }},
    {"overlay", "EMITTER KEY", "draw a track over the shown one, or stop drawing it", nullptr,
     [](const ScriptCommand& c, EditorSession&, CurveTools& t) {
       t.ToggleOverlay(c.track);
       return true;
     }},
};

std::optional<int64_t> WholeNumber(const std::string& word, int64_t low, int64_t high) {
  int64_t number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (error != std::errc() || end != word.data() + word.size() || number < low || number > high)
    return std::nullopt;
  return number;
}

bool ReadNumber(const std::string& word, double& number) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  return error == std::errc() && end == word.data() + word.size() && std::isfinite(number);
}

// Key indices as one word, "0,2,3".
std::optional<edit::KeySet> KeyList(const std::string& word) {
  edit::KeySet keys;
  std::istringstream list(word);
  for (std::string index; std::getline(list, index, ',');) {
    const std::optional<int64_t> key =
        WholeNumber(index, 0, int64_t(edit::TrackBody::MaximumKeys) - 1);
    if (!key) return std::nullopt;
    keys.insert(int(*key));
  }
  if (keys.empty() || word.back() == ',') return std::nullopt;
  return keys;
}

// What each argument of the verbs is: false when the word is not one.
struct Argument {
  const char* name;
  std::string expected;
  bool (*read)(const std::string& word, ScriptCommand& command);
};
const std::vector<Argument>& Arguments() {
  static const std::vector<Argument> arguments = {
      {"EMITTER", "-1 (the effect) or an emitter's index from 0",
       [](const std::string& w, ScriptCommand& c) {
         const std::optional<int64_t> emitter = WholeNumber(w, -1, 1 << 20);
         if (emitter) c.track.emitter = int(*emitter);
         return emitter.has_value();
       }},
      {"KEY", "a track's name, such as LifeVisible",
       [](const std::string& w, ScriptCommand& c) {
         c.track.key = w;
         return true;
       }},
      {"INDEX", "a key's index from 0",
       [](const std::string& w, ScriptCommand& c) {
         const std::optional<int64_t> index =
             WholeNumber(w, 0, int64_t(edit::TrackBody::MaximumKeys) - 1);
         if (index) c.index = int(*index);
         return index.has_value();
       }},
      {"TIME", "a number: the time on the track's axis",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.time); }},
      {"VALUE", "a number",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.value); }},
      {"DT", "a number: how far the keys move in time",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.time); }},
      {"DV", "a number: how far the keys move in value",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.value); }},
      {"LOW", "a number",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.time); }},
      {"HIGH", "a number",
       [](const std::string& w, ScriptCommand& c) { return ReadNumber(w, c.value); }},
      {"PATH", "a file's path",
       [](const std::string& w, ScriptCommand& c) {
         c.path = w;
         return true;
       }},
      {"NAME", "the name of a preset: " + edit::CurvePresetNames(),
       [](const std::string& w, ScriptCommand& c) {
         c.path = w;
         return edit::FindCurvePreset(w) != nullptr;
       }},
      {"MS", "whole milliseconds from 0 to " + std::to_string(Timeline::kMaxMs),
       [](const std::string& w, ScriptCommand& c) {
         const std::optional<int64_t> ms = WholeNumber(w, 0, Timeline::kMaxMs);
         if (ms) c.ms = *ms;
         return ms.has_value();
       }},
      {"I,J,...", "a list of key indices such as 0,2,3",
       [](const std::string& w, ScriptCommand& c) {
         const std::optional<edit::KeySet> keys = KeyList(w);
         if (keys) c.keys = *keys;
         return keys.has_value();
       }},
  };
  return arguments;
}

const Argument* FindArgument(const std::string& name) {
  for (const Argument& argument : Arguments())
    if (name == argument.name) return &argument;
  return nullptr;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Usage(const Verb& verb) {
  return std::string(verb.name) + (*verb.arguments ? " " : "") + verb.arguments;
}

// Which emitters an effect has is known only when the command runs; the
// names of tracks are known now.
void CheckTrack(const edit::TrackRef& track) {
  const edit::TrackOwner owner = edit::OwnerOf(track.emitter);
  if (!edit::FindTrackInfo(owner, track.key))
    throw ScriptError{"\"" + track.key + "\" is not " +
                      (owner == edit::TrackOwner::Emitter ? "an emitter" : "an effect") +
                      " track (did you mean \"" + record::NearestTrackName(owner, track.key) +
                      "\"?)"};
}

// The words after the verb, each read as its place in the verb's arguments
// says.
ScriptCommand Parse(const Verb& verb, const std::vector<std::string>& words) {
  const std::vector<std::string> names = Words(verb.arguments);
  if (words.size() != names.size() + 1)
    throw ScriptError{std::string(verb.name) + " takes " + std::to_string(names.size()) +
                      (names.size() == 1 ? " word" : " words") + ": " + Usage(verb)};
  ScriptCommand command;
  command.verb = verb.name;
  for (size_t i = 0; i < names.size(); ++i) {
    const Argument& argument = *FindArgument(names[i]);
    if (!argument.read(words[i + 1], command))
      throw ScriptError{Usage(verb) + ": " + argument.name + " is " + argument.expected +
                        ", not \"" + words[i + 1] + "\""};
  }
  if (!command.track.key.empty()) CheckTrack(command.track);
  return command;
}

const Verb* FindVerb(const std::string& name) {
  for (const Verb& verb : kVerbs)
    if (name == verb.name) return &verb;
  return nullptr;
}

}  // namespace

std::vector<ScriptCommand> ParseEditorScript(const std::string& text, const std::string& folder) {
  std::vector<ScriptCommand> commands;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::vector<std::string> words = Words(line.substr(0, line.find('#')));
    if (words.empty()) continue;
    const std::string where = "script line " + std::to_string(number) + ": ";
    const Verb* verb = FindVerb(words[0]);
    if (!verb)
      throw ScriptError{where + "unknown command \"" + words[0] + "\" (--help lists them)"};
    try {
      commands.push_back(Parse(*verb, words));
      commands.back().line = number;
      const std::vector<std::string> arguments = Words(verb->arguments);
      if (std::find(arguments.begin(), arguments.end(), "PATH") != arguments.end())
        commands.back().path = (std::filesystem::path(folder) / commands.back().path).string();
    } catch (const ScriptError& e) {
      throw ScriptError{where + e.message};
    }
  }
  return commands;
}

std::string ScriptHelp() {
  std::string text = "\nEditor script commands (--edit-script FILE: one a line, # a comment):\n";
  char line[256];
  for (const Verb& verb : kVerbs) {
    std::snprintf(line, sizeof line, "  %-34s  %s\n", Usage(verb).c_str(), verb.what);
    text += line;
  }
  text += "where\n";
  for (const Argument& argument : Arguments()) {
    std::snprintf(line, sizeof line, "  %-9s  %s\n", argument.name, argument.expected.c_str());
    text += line;
  }
  return text;
}

void ScriptPanel::Draw(Viewer& viewer) {
  if (next_ >= commands_.size()) {
    // The last command's edits and pictures have shown.
    if (endsRun_) viewer.Close();
    return;
  }
  const ScriptCommand& command = commands_[next_++];
  EditorSession& session = *session_;
  const Verb& verb = *FindVerb(command.verb);
  const bool done =
      verb.run ? verb.run(command, session, viewer) : verb.curveRun(command, session, *curves_);
  if (done) return;
  Log("script line " + std::to_string(command.line) + ": " + command.verb +
      " failed: " + session.Status());
  viewer.ReportFailure();
}

}  // namespace tavrix::viewer::editor
