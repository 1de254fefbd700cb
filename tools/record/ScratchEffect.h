// Effects the library can load, made from bytes in memory. The library loads
// effects by path only, so a JSON record packed by the record model goes
// through a scratch file in the system's temporary folder, removed when its
// object goes. The tavrix program, the viewer and the editing model all play
// JSON records this way.
#pragma once

#include <stdexcept>
#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

// Files ending in .json (any case) hold JSON records.
bool IsJsonPath(const std::string& path);

// The effect file `tavrix pack` writes for the record. Throws RecordJsonError
// when the JSON is no record.
Bytes PackEffectFile(const Json& record);

struct ScratchFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ScratchEffectFile {
 public:
  // A fresh file holding the bytes. Throws ScratchFileError when it cannot be
  // written.
  explicit ScratchEffectFile(const Bytes& file);
  ~ScratchEffectFile();
  ScratchEffectFile(const ScratchEffectFile&) = delete;
  ScratchEffectFile& operator=(const ScratchEffectFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tavrix::record
