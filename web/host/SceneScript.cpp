// The scene script's interpreter.
#include "SceneScript.h"

#include <sstream>
#include <vector>

#include "tavrix/ResultCodeNames.h"

namespace tavrix::web {
namespace {

struct Line {
  std::string op;
  std::vector<std::string> words;
};

Line Parse(const std::string& text) {
  std::istringstream in(text);
  Line line;
  in >> line.op;
  for (std::string word; in >> word;) line.words.push_back(word);
  return line;
}

class Player {
 public:
  Player(IParticleSystem& system, const std::function<void()>& frame)
      : system_(system), frame_(frame) {}

  // Throws the message for a line that fails.
  void Run(const Line& line) {
    const auto number = [&](size_t i) { return std::stof(line.words.at(i)); };
    const auto effect = [&](size_t i) { return ids_.at(size_t(std::stoul(line.words.at(i)))); };
    const std::string& op = line.op;
    if (op == "view" || op.empty() || op[0] == '#') return;
    if (op == "load") {
      ids_.push_back(Check(system_.LoadEffect(line.words.at(0).c_str())));
    } else if (op == "move") {
      const bool nested = line.words.size() > 3 && line.words[3] == "nested";
      Check(system_.SetEffectPosition(effect(0), number(1), number(2), nested));
    } else if (op == "play") {
      Check(system_.PlayEffect(effect(0), line.words.size() > 1 ? uint32_t(number(1)) : 0));
    } else if (op == "clear") {
      Check(system_.ClearEffect(effect(0)));
    } else if (op == "unload") {
      Check(system_.UnloadEffect(effect(0)));
    } else if (op == "update") {
      Check(system_.UpdateAll(int32_t(number(0))));
    } else if (op == "step") {
      Check(system_.UpdateEffect(effect(0), int32_t(number(1))));
    } else if (op == "to") {
      Check(system_.UpdateAllTo(int32_t(number(0))));
    } else if (op == "frame") {
      frame_();
    } else if (op == "frames") {
      const int32_t steps[] = {17, 17, 16};
      for (int32_t left = int32_t(number(0)), i = 0; left > 0; i = (i + 1) % 3) {
        const int32_t step = left < steps[i] ? left : steps[i];
        Check(system_.UpdateAll(step));
        frame_();
        left -= step;
      }
    } else {
      throw std::invalid_argument("unknown operation");
    }
  }

 private:
  static int32_t Check(int32_t result) {
    if (result < -1) throw std::runtime_error(ResultCodeName(result));
    return result;
  }

  IParticleSystem& system_;
  const std::function<void()>& frame_;
  std::vector<int32_t> ids_;
};

}  // namespace

SceneView ReadSceneView(const std::string& script) {
  const Line first = Parse(script.substr(0, script.find('\n')));
  SceneView view;
  if (first.op == "view" && first.words.size() == 2) {
    view.width = std::stoi(first.words[0]);
    view.height = std::stoi(first.words[1]);
  }
  return view;
}

std::string PlayScene(const std::string& script, IParticleSystem& system,
                      const std::function<void()>& frame) {
  Player player(system, frame);
  std::istringstream lines(script);
  int number = 0;
  for (std::string text; std::getline(lines, text);) {
    ++number;
    try {
      player.Run(Parse(text));
    } catch (const std::exception& e) {
      return "line " + std::to_string(number) + " (" + text + "): " + e.what();
    }
  }
  return {};
}

uint32_t HashBytes(uint32_t hash, const void* bytes, size_t count) {
  const auto* byte = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < count; ++i) hash = (hash ^ byte[i]) * 16777619u;
  return hash;
}

}  // namespace tavrix::web
