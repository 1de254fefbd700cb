// JSON text into the tools' record model, the path "tavrix pack" and "tavrix
// check" take: any text ends in a record or a RecordJsonError naming its
// place. A record that packs must dump again and pack to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "record/JsonText.h"
#include "record/RecordModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrix::record;
  // Past a megabyte a record could hold more keys than a dump takes.
  if (size > (size_t(1) << 20)) return 0;
  Bytes plain;
  try {
    plain = RecordFromJson(ParseJson(std::string(reinterpret_cast<const char*>(data), size)));
  } catch (const RecordJsonError&) {
    return 0;
  }
  // Packed bytes are a whole record by construction: failing here is a bug.
  try {
    if (RecordFromJson(RecordToJson(plain)) != plain) __builtin_trap();
  } catch (const RecordFormatError&) {
    __builtin_trap();
  }
  return 0;
}
