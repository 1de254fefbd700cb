#include "record/ShortRecord.h"

#include <unordered_set>

#include "record/NameCompare.h"
#include "record/RecordSchema.h"

namespace tavrix::record {
namespace {

// Whether a field may go is judged by the bytes the record packs to, so that
// whatever the record model derives from other fields (a force direction
// from its angle, corners from the pivot, tracks left out) is judged as the
// library would read it. Fields are tried from the top down: a whole block
// or track first, its fields only when it must stay.
class Shortener {
 public:
  explicit Shortener(const Json& record) : record_(record), bytes_(RecordFromJson(record)) {}

  Json Shorten(const Json& written) {
    Visit(record_, &written);
    return Without(record_);
  }

 private:
  void Consider(const Json& node, const Json* written) {
    if (!written && Drops(node)) return;
    Visit(node, written);
  }

  void Visit(const Json& node, const Json* written) {
    if (node.is_object()) {
      for (const auto& [name, value] : node.items())
        if (!IsNote(name))
          Consider(value, written && written->contains(name) ? &(*written)[name] : nullptr);
      return;
    }
    if (!node.is_array()) return;
    for (size_t i = 0; i < node.size(); ++i)
      if (IsEntry(node[i])) Consider(node[i], Partner(node[i], i, written));
  }

  // Notes pack to nothing, but are the writer's own.
  static bool IsNote(const std::string& name) {
    return name == key::Schema || (!name.empty() && name[0] == '_');
  }

  // Emitters and track entries are entries of their lists; keys, frames and
  // corners are values as a whole.
  static bool IsEntry(const Json& item) {
    return item.is_object() && (item.contains(key::Magic) || item.contains(key::Name));
  }

  // The written entry an entry stands for: an emitter by its place, a
  // track by its name.
  static const Json* Partner(const Json& item, size_t place, const Json* written) {
    if (!written || !written->is_array()) return nullptr;
    if (item.contains(key::Magic)) return place < written->size() ? &(*written)[place] : nullptr;
    for (const Json& entry : *written)
      if (entry.is_object() && entry.contains(key::Name) && entry[key::Name].is_string() &&
          item[key::Name].is_string() &&
          SameName(entry[key::Name].get<std::string>(), item[key::Name].get<std::string>()))
        return &entry;
    return nullptr;
  }

  bool Drops(const Json& node) {
    dropped_.insert(&node);
    try {
      if (RecordFromJson(Without(record_)) == bytes_) return true;
    } catch (const RecordJsonError&) {
    }
    dropped_.erase(&node);
    return false;
  }

  // The record without what was dropped, each part at its place.
  Json Without(const Json& node) const {
    if (node.is_object()) {
      Json kept = Json::object();
      for (const auto& [name, value] : node.items())
        if (!dropped_.count(&value)) kept[name] = Without(value);
      return kept;
    }
    if (!node.is_array()) return node;
    Json kept = Json::array();
    for (const Json& item : node)
      if (!dropped_.count(&item)) kept.push_back(Without(item));
    return kept;
  }

  const Json& record_;
  const Bytes bytes_;
  std::unordered_set<const Json*> dropped_;  // parts of the record, by address
};

}  // namespace

Json ShortRecord(const Json& record, const Json& written) {
  return Shortener(record).Shorten(written);
}

}  // namespace tavrix::record
