// Result codes returned across the library boundary. Zero is success,
// LoadEffect returns identifiers of zero or more, and every failure has its
// own negative number. -1 and 400 travel on the same channel without being
// failures. Nothing is thrown across the interface and nothing is logged;
// ResultCodeList.h lists them once; ResultCodeNames.h turns a code into a
// name and a meaning for people.
//
// The failures by kind: a ...NoRegistry or ...NoRenderer code means
// Initialise has not succeeded; Disabled, that Particle.ini switched effects
// off; Effect... and Emitter... codes of LoadEffect, that the file is
// damaged or not an effect; ...NotWritten codes come from SaveEffect.
// TextureFileNotFound and TextureLoadFailed never reach the host: the effect
// loads and draws without that texture.
#pragma once

#include <cstdint>

#include "tavrix/ResultCodeList.h"

namespace tavrix {

#define TAVRIX_RESULT_CODE_ENUMERATOR(name, value, meaning) name = value,
enum ResultCode : int32_t { TAVRIX_RESULT_CODES(TAVRIX_RESULT_CODE_ENUMERATOR) };
#undef TAVRIX_RESULT_CODE_ENUMERATOR

}  // namespace tavrix
