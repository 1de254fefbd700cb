// A JSON effect record packed into an effect file in the page, as `tavrix
// pack` packs it: the record model's parser and packer, then the cipher
// envelope. A record that does not pack gives the model's message instead.
#pragma once

#include <string>

#include "record/RecordModel.h"

namespace tavrix::web {

struct PackedRecord {
  record::Bytes file;  // the effect file, empty when error is set
  std::string error;   // "emitters[1].tracks[3]: ..." or the text's line and column
};

PackedRecord PackJsonRecord(const std::string& text);

}  // namespace tavrix::web
