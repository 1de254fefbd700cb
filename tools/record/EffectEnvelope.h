// The cipher envelope of effect files, as the tools see it: whole files in,
// plain records out, and back, with the library's fixed key.
#pragma once

#include <optional>

#include "record/RecordModel.h"

namespace tavrix::record {

// Empty when the bytes are not an enciphered effect record.
std::optional<Bytes> DecipherEffect(const Bytes& file);
// The same plain bytes always give the same file.
Bytes EncipherEffect(const Bytes& plain);

}  // namespace tavrix::record
