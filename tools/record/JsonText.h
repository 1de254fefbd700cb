// The text form of record JSON: small arrays and objects on one line (a key,
// a frame, a short track), larger ones spread over lines, so that a dumped
// effect reads like a hand-written one.
#pragma once

#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

std::string FormatJson(const Json& value);
// Throws RecordJsonError: for broken text its path is empty and its message
// gives the line and column; a number beyond a double, a key given twice,
// nesting deeper than 64 levels, objects of more than 256 fields and more than
// four million values are refused with the path where they occur.
Json ParseJson(const std::string& text);

}  // namespace tavrix::record
