// A record written as briefly as it reads: an editor holds every field
// written out, but a file saved from it keeps only the fields its writer
// wrote and those that differ from what the record model gives a field left
// out, so that a thirty-line file stays thirty lines.
#pragma once

#include "record/RecordModel.h"

namespace tavrix::record {

// The record without the fields that written (the JSON as its file held it)
// leaves out and that pack the same when left out; packs to the very bytes
// the record does. Lists of tracks pair up by name, emitters by place.
Json ShortRecord(const Json& record, const Json& written);

}  // namespace tavrix::record
