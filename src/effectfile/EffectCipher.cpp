// The effect-file envelope: a random header with the fill count, fill and
// salt bytes, the plain bytes and seven zeros, enciphered block by block with
// a chaining that feeds the previous block in on both sides of the cipher.
#include "effectfile/EffectCipher.h"

#include <cstdlib>
#include <cstring>

#include "base/Allocator.h"

namespace tavrix {
namespace {

constexpr int32_t kBlockSize = 8;
constexpr int32_t kTrailingZeros = 7;
constexpr char kEffectKeyText[] = "TideLamp";

uint8_t RandomByte() { return static_cast<uint8_t>(std::rand()); }

// Collects envelope bytes and enciphers each completed block:
// X(i) = P(i) ^ C(i-1), C(i) = TEA(X(i)) ^ X(i-1).
class BlockChainWriter {
 public:
  BlockChainWriter(const uint8_t* key, uint8_t* output, uint32_t* outputLength)
      : key_(key), output_(output), outputLength_(outputLength) {
    *outputLength_ = 0;
  }

  void Put(uint8_t byte) {
    plain_[used_++] = byte;
    if (used_ == kBlockSize) Flush();
  }

 private:
  void Flush() {
    uint8_t x[kBlockSize];
    for (int i = 0; i < kBlockSize; ++i) x[i] = plain_[i] ^ previousC_[i];
    uint8_t* c = output_ + *outputLength_;
    TeaEncipherBlock(x, key_, c);
    for (int i = 0; i < kBlockSize; ++i) c[i] ^= previousX_[i];
    std::memcpy(previousX_, x, kBlockSize);
    std::memcpy(previousC_, c, kBlockSize);
    *outputLength_ += kBlockSize;
    used_ = 0;
  }

  const uint8_t* key_;
  uint8_t* output_;
  uint32_t* outputLength_;
  uint8_t plain_[kBlockSize] = {};
  uint8_t previousX_[kBlockSize] = {};
  uint8_t previousC_[kBlockSize] = {};
  int used_ = 0;
};

// Walks the envelope's plain bytes: D is the current cipher input X(i),
// Q the enciphered block before it, so a plain byte is D[j] ^ Q[j].
class BlockChainReader {
 public:
  BlockChainReader(const uint8_t* enciphered, int32_t length, const uint8_t* key)
      : data_(enciphered), length_(length), key_(key) {
    TeaDecipherBlock(data_, key_, d_);
  }

  uint8_t HeaderByte() const { return d_[0]; }
  void SkipTo(int32_t position) { j_ = position; }

  bool Get(uint8_t& byte) {
    if (j_ == kBlockSize && !Advance()) return false;
    byte = d_[j_] ^ q_[j_];
    ++j_;
    return true;
  }

 private:
  bool Advance() {
    if (k_ + kBlockSize > length_) return false;
    std::memcpy(q_, data_ + k_ - kBlockSize, kBlockSize);
    uint8_t mixed[kBlockSize];
    for (int i = 0; i < kBlockSize; ++i) mixed[i] = data_[k_ + i] ^ d_[i];
    TeaDecipherBlock(mixed, key_, d_);
    k_ += kBlockSize;
    j_ = 0;
    return true;
  }

  const uint8_t* data_;
  int32_t length_;
  const uint8_t* key_;
  uint8_t d_[kBlockSize] = {};
  uint8_t q_[kBlockSize] = {};
  int32_t j_ = 0;
  int32_t k_ = kBlockSize;
};

int32_t FillCount(int32_t plainLength) {
  return (kBlockSize - (plainLength + 10) % kBlockSize) % kBlockSize;
}

}  // namespace

// Lengths whose envelope would not fit in 31 bits have none: -1.
int32_t EffectCipher::GetEncipheredLength(int32_t plainLength) {
  if (plainLength < 0 || plainLength > INT32_MAX - 17) return -1;
  return plainLength + 10 + FillCount(plainLength);
}

void EffectCipher::Encipher(const uint8_t* plain, int32_t plainLength, const uint8_t* key,
                            uint8_t* output, uint32_t* outputLength) {
  if (!plain || !key || !output || !outputLength) return;
  if (GetEncipheredLength(plainLength) < 0) {
    *outputLength = 0;
    return;
  }
  const int32_t fill = FillCount(plainLength);
  BlockChainWriter writer(key, output, outputLength);
  writer.Put(static_cast<uint8_t>((RandomByte() & 0xF8) | fill));
  for (int32_t i = 0; i < fill + 2; ++i) writer.Put(RandomByte());
  for (int32_t i = 0; i < plainLength; ++i) writer.Put(plain[i]);
  for (int32_t i = 0; i < kTrailingZeros; ++i) writer.Put(0);
}

bool EffectCipher::Decipher(const uint8_t* enciphered, int32_t length, const uint8_t* key,
                            uint8_t* output, uint32_t* outputLength) {
  if (!enciphered || !key || !output || !outputLength) return false;
  if (length % kBlockSize != 0 || length < 2 * kBlockSize) return false;
  BlockChainReader reader(enciphered, length, key);
  const int32_t fill = reader.HeaderByte() & 7;
  const int32_t plainLength = length - fill - 10;
  if (plainLength < 0 || *outputLength < static_cast<uint32_t>(plainLength)) return false;
  *outputLength = static_cast<uint32_t>(plainLength);
  reader.SkipTo(1 + fill);
  uint8_t byte;
  for (int i = 0; i < 2; ++i) {
    if (!reader.Get(byte)) return false;
  }
  for (int32_t i = 0; i < plainLength; ++i) {
    if (!reader.Get(output[i])) return false;
  }
  for (int i = 0; i < kTrailingZeros; ++i) {
    if (!reader.Get(byte) || byte != 0) return false;
  }
  return true;
}

void* EffectCipher::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

void EffectCipher::Unused() {}

void BuildEffectKey(uint8_t (&key)[kEffectKeyBufferSize]) {
  std::memset(key, 0, kEffectKeyBufferSize);
  std::memcpy(key, kEffectKeyText, sizeof kEffectKeyText);
}

}  // namespace tavrix
