// The record module's C functions for the page: the JSON text goes in as
// bytes in the module's memory (a record can be megabytes, beyond what a
// string argument may take on the stack), the packed file or the message
// comes back until the next call.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "JsonPack.h"

namespace {

tavrix::web::PackedRecord packed;

}  // namespace

extern "C" {

// Returns 0 when the record packs, -1 with the message otherwise.
EMSCRIPTEN_KEEPALIVE int32_t tvx_pack_json(const char* text, int32_t size) {
  packed = tavrix::web::PackJsonRecord(std::string(text, size_t(size > 0 ? size : 0)));
  return packed.error.empty() ? 0 : -1;
}
EMSCRIPTEN_KEEPALIVE const void* tvx_packed_file() { return packed.file.data(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_packed_size() { return int32_t(packed.file.size()); }
EMSCRIPTEN_KEEPALIVE const char* tvx_pack_error() { return packed.error.c_str(); }

}  // extern "C"
