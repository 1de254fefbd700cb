#include "record/JsonText.h"

#include <vector>

namespace tavrix::record {
namespace {

constexpr size_t LineWidth = 100;

std::string Compact(const Json& value) {
  if (value.is_array()) {
    std::string text = "[";
    for (size_t i = 0; i < value.size(); ++i) text += (i ? ", " : "") + Compact(value[i]);
    return text + "]";
  }
  if (value.is_object()) {
    std::string text = "{";
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it, first = false)
      text += (first ? "" : ", ") + Json(it.key()).dump() + ": " + Compact(it.value());
    return text + "}";
  }
  return value.dump();
}

void Format(const Json& value, size_t indent, size_t prefix, std::string& out) {
  std::string compact = Compact(value);
  const bool container = value.is_array() || value.is_object();
  if (!container || value.empty() || indent + prefix + compact.size() <= LineWidth) {
    out += compact;
    return;
  }
  const std::string inner(indent + 2, ' ');
  out += value.is_array() ? "[\n" : "{\n";
  size_t i = 0;
  for (auto it = value.begin(); it != value.end(); ++it, ++i) {
    out += inner;
    size_t label = 0;
    if (value.is_object()) {
      const std::string name = Json(it.key()).dump() + ": ";
      out += name;
      label = name.size();
    }
    Format(it.value(), indent + 2, label, out);
    out += i + 1 < value.size() ? ",\n" : "\n";
  }
  out += std::string(indent, ' ') + (value.is_array() ? "]" : "}");
}

// Builds the document event by event, knowing at each value the record path
// it goes to, so that what the parser cannot hold (a number beyond a double,
// a key given twice, nesting or size no record has) is refused by its place.
class PathBuilder {
 public:
  explicit PathBuilder(const std::string& text) : text_(text) {}

  bool null() { return Add(nullptr); }
  bool boolean(bool value) { return Add(value); }
  bool number_integer(Json::number_integer_t value) { return Add(value); }
  bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
  bool number_float(Json::number_float_t value, const std::string&) { return Add(value); }
  bool string(std::string& value) { return Add(std::move(value)); }
  bool binary(Json::binary_t&) { return Add(nullptr); }
  bool start_object(size_t) { return Open(Json::object()); }
  bool start_array(size_t) { return Open(Json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  // Finding a key given twice walks its object, so objects stay small.
  bool key(std::string& name) {
    if (containers_.back()->size() >= MaximumFields)
      throw RecordJsonError{paths_.back(),
                            "more than 256 fields in one object; no record object has"};
    if (containers_.back()->contains(name))
      throw RecordJsonError{Child(paths_.back(), name), "the key appears twice in its object"};
    key_ = std::move(name);
    return true;
  }
  bool parse_error(size_t position, const std::string&, const nlohmann::detail::exception& e) {
    // 406: a number beyond the range of a double, such as 1e400.
    if (e.id == 406)
      throw RecordJsonError{NextPath(), "at " + Where(position) + ": number out of range"};
    // The library's message begins with "[json.exception.parse_error.101]
    // parse error at line 3, column 5: ..."; the tag is no use to a reader.
    std::string message = e.what();
    const size_t start = message.find("parse error");
    throw RecordJsonError{"", start == std::string::npos ? message : message.substr(start)};
  }

  Json Take() { return std::move(root_); }

 private:
  // A record nests six levels deep, its objects hold at most 40 fields, and a
  // big one holds about a million values.
  static constexpr size_t MaximumDepth = 64;
  static constexpr size_t MaximumValues = 4000000;
  static constexpr size_t MaximumFields = 256;

  static std::string Child(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
  }
  std::string NextPath() const {
    if (containers_.empty()) return "";
    const Json& top = *containers_.back();
    if (top.is_array()) return paths_.back() + "[" + std::to_string(top.size()) + "]";
    return Child(paths_.back(), key_);
  }
  std::string Where(size_t position) const {
    size_t line = 1, column = 1;
    for (size_t i = 0; i + 1 < position && i < text_.size(); ++i, ++column)
      if (text_[i] == '\n') line += 1, column = 0;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
  }
  Json* Insert(Json&& value) {
    if (++values_ > MaximumValues)
      throw RecordJsonError{NextPath(), "more than 4000000 values; no effect record is this large"};
    if (containers_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Json& top = *containers_.back();
    if (top.is_array()) {
      top.push_back(std::move(value));
      return &top.back();
    }
    Json& slot = top[key_];
    slot = std::move(value);
    return &slot;
  }
  bool Add(Json&& value) {
    Insert(std::move(value));
    return true;
  }
  // Siblings are added only after a container closes, so the pointers held
  // for open containers stay valid.
  bool Open(Json&& container) {
    const std::string path = NextPath();
    if (containers_.size() >= MaximumDepth)
      throw RecordJsonError{path, "nested deeper than 64 levels (an effect record nests six)"};
    containers_.push_back(Insert(std::move(container)));
    paths_.push_back(path);
    return true;
  }
  bool Close() {
    containers_.pop_back();
    paths_.pop_back();
    return true;
  }

  const std::string& text_;
  Json root_;
  std::vector<Json*> containers_;
  std::vector<std::string> paths_;
  std::string key_;
  size_t values_ = 0;
};

}  // namespace

std::string FormatJson(const Json& value) {
  std::string out;
  Format(value, 0, 0, out);
  return out + "\n";
}

Json ParseJson(const std::string& text) {
  PathBuilder builder(text);
  Json::sax_parse(text, &builder);
  return builder.Take();
}

}  // namespace tavrix::record
