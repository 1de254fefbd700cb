// GetPrivateProfileIntA as a game's ini file relies on it: section and key
// names match without regard to case, the first match wins, and the value is
// its leading decimal integer ("1abc" is 1, "abc" is 0).
#include <ini.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/FileAccess.h"
#include "platform/Win32.h"

namespace {

struct Lookup {
  const char* section;
  const char* key;
  const char* found = nullptr;
  int64_t value = 0;
};

// 64-bit arithmetic: the clamp below must come before any overflow, also
// where long has 32 bits.
int64_t LeadingInteger(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL;  // Windows keeps the low 32 bits only
  }
  return negative ? -value : value;
}

// inih keeps the spaces inside a section's brackets; Windows does not.
bool SectionMatches(const char* section, const char* wanted) {
  while (*section == ' ' || *section == '\t') ++section;
  std::string name(section);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
  return _stricmp(name.c_str(), wanted) == 0;
}

int Handle(void* user, const char* section, const char* key, const char* value) {
  Lookup* lookup = static_cast<Lookup*>(user);
  if (!lookup->found && SectionMatches(section, lookup->section) &&
      _stricmp(key, lookup->key) == 0) {
    lookup->found = key;
    lookup->value = LeadingInteger(value);
  }
  return 1;
}

}  // namespace

UINT GetPrivateProfileIntA(const char* appName, const char* keyName, int defaultValue,
                           const char* fileName) {
  if (!appName || !keyName || !fileName) return static_cast<UINT>(defaultValue);
  std::FILE* file = tavrix::OpenFile(fileName, "r");
  if (!file) return static_cast<UINT>(defaultValue);
  Lookup lookup{appName, keyName};
  ini_parse_file(file, Handle, &lookup);
  std::fclose(file);
  return lookup.found ? static_cast<UINT>(lookup.value) : static_cast<UINT>(defaultValue);
}
