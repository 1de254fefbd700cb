// An ini reader with inih's rules: names and values trimmed, section names
// kept as written between the brackets, comment lines starting with ';' or
// '#', a ';' after a space starting a comment, '=' or ':' between name and
// value, an indented line after a value continuing it under the same name.
#include <cstring>
#include <string>

#include "ini.h"

namespace {

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The text before a ';' that follows a blank, as inih cuts inline comments.
std::string WithoutComment(const std::string& text) {
  for (size_t i = 1; i < text.size(); ++i)
    if (text[i] == ';' && (text[i - 1] == ' ' || text[i - 1] == '\t')) return text.substr(0, i);
  return text;
}

bool ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(file)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  return c != EOF || !line.empty();
}

}  // namespace

int ini_parse_file(std::FILE* file, ini_handler handler, void* user) {
  std::string line, section, previousName;
  int number = 0, firstError = 0;
  while (ReadLine(file, line)) {
    if (++number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    const bool indented = !line.empty() && (line[0] == ' ' || line[0] == '\t');
    const std::string text = Trimmed(line);
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    if (indented && !previousName.empty()) {
      handler(user, section.c_str(), previousName.c_str(), Trimmed(WithoutComment(text)).c_str());
    } else if (text[0] == '[') {
      const size_t close = text.find(']');
      if (close == std::string::npos) {
        if (!firstError) firstError = number;
        continue;
      }
      section = text.substr(1, close - 1);
      previousName.clear();
    } else {
      const size_t split = text.find_first_of("=:");
      if (split == std::string::npos) {
        if (!firstError) firstError = number;
        continue;
      }
      previousName = Trimmed(text.substr(0, split));
      const std::string value = Trimmed(WithoutComment(text.substr(split + 1)));
      handler(user, section.c_str(), previousName.c_str(), value.c_str());
    }
  }
  return firstError;
}
