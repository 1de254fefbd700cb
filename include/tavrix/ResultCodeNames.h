// The name and a one-line meaning of every result code, for hosts and tools
// that report codes to people. Header-only: nothing here crosses the
// library's boundary.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavrix/ResultCodeList.h"

namespace tavrix {

struct ResultCodeInfo {
  int32_t code;
  const char* name;
  const char* meaning;
};

#define TAVRIX_RESULT_CODE_INFO(name, value, meaning) {value, #name, meaning},
inline constexpr ResultCodeInfo kResultCodes[] = {TAVRIX_RESULT_CODES(TAVRIX_RESULT_CODE_INFO)};
#undef TAVRIX_RESULT_CODE_INFO

// The entry of a code, or null for a number that is no result code.
inline const ResultCodeInfo* FindResultCode(int32_t code) {
  for (const ResultCodeInfo& info : kResultCodes) {
    if (info.code == code) return &info;
  }
  return nullptr;
}

// "EffectTrackUnknown"; "identifier" for other non-negative values (what
// LoadEffect returns), "unknown result code" for other negative ones.
inline const char* ResultCodeName(int32_t code) {
  if (const ResultCodeInfo* info = FindResultCode(code)) return info->name;
  return code >= 0 ? "identifier" : "unknown result code";
}

inline const char* ResultCodeMeaning(int32_t code) {
  if (const ResultCodeInfo* info = FindResultCode(code)) return info->meaning;
  return code >= 0 ? "an effect identifier" : "a number the library does not produce";
}

}  // namespace tavrix
