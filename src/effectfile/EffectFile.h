// Effect files on disk: the whole-file read, the cipher around the record,
// and the save that never leaves a half-written file in place of the old one.
#pragma once

#include <cstdint>
#include <cstdio>

namespace tavrix {

class Effect;

// Deciphers a whole effect file held in memory and lets effect read the
// record from the plain bytes. When the cipher rejects the data before
// producing anything, the record is read from no bytes at all, so the
// result is the header code (-3997) rather than a parse of undefined bytes.
int32_t ReadEffectBytes(const uint8_t* fileBytes, int32_t length, Effect& effect);

// Reads the whole of an open file, closes it, then as ReadEffectBytes.
// -3998 when no buffer for the file's bytes can be had.
int32_t ReadEffectFile(std::FILE* file, Effect& effect);

// Writes the effect's record, enciphered, to path. The bytes go to a
// temporary file beside path, which replaces path only once it is written
// in full and closed; otherwise -3949 and path is left as it was. A record
// that cannot be put together is the writer's code and nothing is written.
int32_t SaveEffectFile(Effect& effect, const char* path);

}  // namespace tavrix
