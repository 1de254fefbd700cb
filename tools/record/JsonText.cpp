#include "record/JsonText.h"

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

}  // namespace

std::string FormatJson(const Json& value) {
  std::string out;
  Format(value, 0, 0, out);
  return out + "\n";
}

Json ParseJson(const std::string& text) {
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& e) {
    // The library's message begins with "[json.exception.parse_error.101]
    // parse error at line 3, column 5: ..."; the tag is no use to a reader.
    std::string message = e.what();
    const size_t start = message.find("parse error");
    throw RecordJsonError{"", start == std::string::npos ? message : message.substr(start)};
  }
}

}  // namespace tavrix::record
