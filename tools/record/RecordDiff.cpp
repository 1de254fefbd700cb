#include "record/RecordDiff.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "record/RecordPath.h"
#include "record/RecordSchema.h"
#include "record/TextField.h"

namespace tavrix::record {
namespace {

// Nested effects can name each other in a circle; each pair of files is
// compared once, and no deeper than the library would load them.
constexpr int MaximumNesting = 8;
// Longer values (a whole emitter) are named, not printed.
constexpr size_t LongestShownValue = 60;

constexpr size_t None = size_t(-1);
using Pairs = std::vector<std::pair<size_t, size_t>>;

// Items with equal labels pair in order; the rest pair in order with the
// other side's rest where pairable says so, else stand alone. Pairs come in
// the old side's order, then the new side's items that stand alone.
template <class Pairable>
Pairs Match(const std::vector<std::string>& before, const std::vector<std::string>& after,
            Pairable pairable) {
  std::map<std::string, std::vector<size_t>> unmatched;
  for (size_t i = 0; i < after.size(); ++i)
    if (!after[i].empty()) unmatched[after[i]].push_back(i);
  std::vector<size_t> partner(before.size(), None);
  std::vector<bool> taken(after.size(), false);
  for (size_t i = 0; i < before.size(); ++i) {
    auto found = unmatched.find(before[i]);
    if (before[i].empty() || found == unmatched.end() || found->second.empty()) continue;
    partner[i] = found->second.front();
    taken[partner[i]] = true;
    found->second.erase(found->second.begin());
  }
  size_t next = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    if (partner[i] != None) continue;
    while (next < after.size() && taken[next]) ++next;
    if (next < after.size() && pairable(i, next)) {
      partner[i] = next;
      taken[next++] = true;
    }
  }
  Pairs pairs;
  for (size_t i = 0; i < before.size(); ++i) pairs.emplace_back(i, partner[i]);
  for (size_t j = 0; j < after.size(); ++j)
    if (!taken[j]) pairs.emplace_back(None, j);
  return pairs;
}

// Labels that tell equal names apart by their turn: "sparks", "sparks#1".
std::vector<std::string> Numbered(std::vector<std::string> names) {
  std::map<std::string, int> seen;
  for (std::string& name : names) {
    const int turn = seen[name]++;
    if (!name.empty() && turn > 0) name += "#" + std::to_string(turn);
  }
  return names;
}

std::string LowerName(const Json& emitter) {
  std::string name = TextFromJson(emitter.value(key::Name, Json())).value_or("");
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return name;
}

// "emitters[\"sparks\"]" for a name only one emitter of its list has, else
// "emitters[2]".
std::vector<std::string> EmitterPaths(const std::string& path, const Json& emitters) {
  std::vector<std::string> names;
  for (const Json& e : emitters) names.push_back(LowerName(e));
  std::map<std::string, int> uses;
  for (const std::string& name : names) ++uses[name];
  std::vector<std::string> paths;
  for (size_t i = 0; i < emitters.size(); ++i) {
    const std::optional<std::string> shown = TextFromJson(emitters[i].value(key::Name, Json()));
    paths.push_back(!names[i].empty() && uses[names[i]] == 1 && shown
                        ? path + "[" + Json(*shown).dump() + "]"
                        : Item(path, i));
  }
  return paths;
}

class Differ {
 public:
  Differ(const NestedRecords& nested, std::vector<RecordChange>& out)
      : nested_(nested), out_(out) {}

  void Value(const std::string& path, const Json& a, const Json& b, int depth = 0) {
    // Equal records can still name nested files that differ.
    if (a == b && !nested_) return;
    if (a.is_object() && b.is_object()) return Object(path, a, b, depth);
    if (a.is_array() && b.is_array()) return Array(path, a, b);
    if (a != b) Add(ChangeKind::Changed, path, a, b);
  }

 private:
  void Add(ChangeKind kind, const std::string& path, const Json& before, const Json& after) {
    out_.push_back({kind, path, before, after});
  }

  void Object(const std::string& path, const Json& a, const Json& b, int depth) {
    for (const auto& [name, value] : a.items()) {
      const std::string child = Child(path, name);
      if (!b.contains(name)) {
        Add(ChangeKind::Removed, child, value, nullptr);
      } else if (name == key::Tracks && value.is_array() && b[name].is_array()) {
        Tracks(child, value, b[name]);
      } else if (name == key::Emitters && value.is_array() && b[name].is_array()) {
        Emitters(child, value, b[name], depth);
      } else {
        Value(child, value, b[name], depth);
      }
    }
    for (const auto& [name, value] : b.items())
      if (!a.contains(name)) Add(ChangeKind::Added, Child(path, name), nullptr, value);
  }

  // Lists kept in order (keys, frames, corners): what both share at the
  // start and the end stays out of it, so one inserted key is one line.
  void Array(const std::string& path, const Json& a, const Json& b) {
    size_t start = 0, end = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start]) ++start;
    while (end < a.size() - start && end < b.size() - start &&
           a[a.size() - 1 - end] == b[b.size() - 1 - end])
      ++end;
    const size_t inA = a.size() - start - end, inB = b.size() - start - end;
    for (size_t i = start; i < start + std::min(inA, inB); ++i) Value(Item(path, i), a[i], b[i]);
    for (size_t i = start + inB; i < start + inA; ++i)
      Add(ChangeKind::Removed, Item(path, i), a[i], nullptr);
    for (size_t i = start + inA; i < start + inB; ++i)
      Add(ChangeKind::Added, Item(path, i), nullptr, b[i]);
  }

  template <class Compare>
  void Matched(const Pairs& pairs, const std::vector<std::string>& pathsA,
               const std::vector<std::string>& pathsB, const Json& a, const Json& b,
               Compare compare) {
    for (const auto& [i, j] : pairs) {
      if (j == None)
        Add(ChangeKind::Removed, pathsA[i], a[i], nullptr);
      else if (i == None)
        Add(ChangeKind::Added, pathsB[j], nullptr, b[j]);
      else
        compare(pathsA[i], a[i], b[j]);
    }
  }

  void Tracks(const std::string& path, const Json& a, const Json& b) {
    auto keys = [](const Json& tracks) {
      std::vector<std::string> names;
      for (const Json& track : tracks) names.push_back(TrackKey(track));
      return Numbered(names);
    };
    const std::vector<std::string> keysA = keys(a), keysB = keys(b);
    // A track whose key changed is another track; only nameless ones pair by place.
    const Pairs pairs = Match(
        keysA, keysB, [&](size_t i, size_t j) { return keysA[i].empty() && keysB[j].empty(); });
    Matched(pairs, TrackPaths(path, a), TrackPaths(path, b), a, b,
            [&](const std::string& p, const Json& x, const Json& y) { Value(p, x, y); });
  }

  void Emitters(const std::string& path, const Json& a, const Json& b, int depth) {
    auto names = [](const Json& emitters) {
      std::vector<std::string> list;
      for (const Json& e : emitters) list.push_back(LowerName(e));
      return Numbered(list);
    };
    // A renamed emitter pairs with the new side's first unmatched one of its kind.
    const Pairs pairs = Match(names(a), names(b), [&](size_t i, size_t j) {
      return a[i].value(key::Magic, Json()) == b[j].value(key::Magic, Json());
    });
    const std::vector<std::string> pathsA = EmitterPaths(path, a);
    Matched(pairs, pathsA, EmitterPaths(path, b), a, b,
            [&](const std::string& p, const Json& x, const Json& y) {
              Value(p, x, y, depth);
              Nested(p, x, y, depth);
            });
    Order(path, pairs, a);
  }

  // Emitters draw from the last to the first: a new order is a change. Each
  // is shown by its name, or by its old index when it has none.
  void Order(const std::string& path, const Pairs& pairs, const Json& a) {
    std::vector<std::pair<size_t, Json>> kept;
    for (const auto& [i, j] : pairs) {
      if (i == None || j == None) continue;
      const std::optional<std::string> name = TextFromJson(a[i].value(key::Name, Json()));
      kept.emplace_back(j, name && !name->empty() ? Json(*name) : Json(i));
    }
    Json before = Json::array(), after = Json::array();
    for (const auto& item : kept) before.push_back(item.second);
    std::stable_sort(kept.begin(), kept.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const auto& item : kept) after.push_back(item.second);
    if (before != after) Add(ChangeKind::Changed, Child(path, "order"), before, after);
  }

  void Nested(const std::string& path, const Json& a, const Json& b, int depth) {
    if (!nested_ || depth + 1 >= MaximumNesting || !a.contains("effectFile") ||
        !b.contains("effectFile"))
      return;
    const std::string fileA = TextFromJson(a["effectFile"]).value_or("");
    const std::string fileB = TextFromJson(b["effectFile"]).value_or("");
    if (!compared_.insert({fileA, fileB}).second) return;
    const std::optional<Json> recordA = nested_(0, fileA), recordB = nested_(1, fileB);
    if (recordA && recordB) Value(Child(path, "effect"), *recordA, *recordB, depth + 1);
  }

  const NestedRecords& nested_;
  std::vector<RecordChange>& out_;
  std::set<std::pair<std::string, std::string>> compared_;
};

std::string Shown(const Json& value) {
  const std::string text = value.dump();
  return text.size() <= LongestShownValue ? " " + text : "";
}

}  // namespace

std::vector<RecordChange> DiffRecords(const Json& before, const Json& after,
                                      const NestedRecords& nested) {
  std::vector<RecordChange> changes;
  Differ(nested, changes).Value("", before, after);
  return changes;
}

std::string ChangeLine(const RecordChange& change) {
  const std::string path = change.path.empty() ? "(top level)" : change.path;
  switch (change.kind) {
    case ChangeKind::Added: return path + ": added" + Shown(change.after);
    case ChangeKind::Removed: return path + ": removed" + Shown(change.before);
    case ChangeKind::Changed: break;
  }
  return path + ": " + change.before.dump() + " -> " + change.after.dump();
}

std::string ChangeSummary(const std::vector<RecordChange>& changes) {
  if (changes.empty()) return "no change to the record";
  const std::string more =
      changes.size() > 1 ? " (+" + std::to_string(changes.size() - 1) + " more)" : "";
  return ChangeLine(changes.front()) + more;
}

}  // namespace tavrix::record
