// Library result codes as the tavrix program shows them: name, number and
// meaning, never the bare number.
#pragma once

#include <cstdint>
#include <string>

#include "tavrix/ResultCodeNames.h"

namespace tavrix::tools {

// "EffectTrackUnknown (-3994): effect record: a track name is not one of the
// effect's tracks".
inline std::string ResultText(int32_t code) {
  return std::string(ResultCodeName(code)) + " (" + std::to_string(code) +
         "): " + ResultCodeMeaning(code);
}

}  // namespace tavrix::tools
