// The envelope and block cipher around every effect file: TEA reduced to 16
// cycles with a random header, fill and salt, seven trailing zeros and a
// two-sided chaining of the blocks.
#pragma once

#include <cstdint>

namespace tavrix {

void TeaEncipherBlock(const uint8_t* input, const uint8_t* key, uint8_t* output);
void TeaDecipherBlock(const uint8_t* input, const uint8_t* key, uint8_t* output);

class EffectCipher {
 public:
  virtual int32_t GetEncipheredLength(int32_t plainLength);
  virtual void Encipher(const uint8_t* plain, int32_t plainLength, const uint8_t* key,
                        uint8_t* output, uint32_t* outputLength);
  // outputLength holds the room on entry and the plain length on success.
  virtual bool Decipher(const uint8_t* enciphered, int32_t length, const uint8_t* key,
                        uint8_t* output, uint32_t* outputLength);
  virtual void* Destroy(unsigned int flags);
  virtual void Unused();
};

// The fixed key of effect files, laid out as its 128-byte stack buffer.
constexpr uint32_t kEffectKeyBufferSize = 128;
void BuildEffectKey(uint8_t (&key)[kEffectKeyBufferSize]);

}  // namespace tavrix
