// The text form of record JSON: small arrays and objects on one line (a key,
// a frame, a short track), larger ones spread over lines, so that a dumped
// effect reads like a hand-written one.
#pragma once

#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

std::string FormatJson(const Json& value);
// Throws RecordJsonError, its path empty and its message giving the line
// and column.
Json ParseJson(const std::string& text);

}  // namespace tavrix::record
